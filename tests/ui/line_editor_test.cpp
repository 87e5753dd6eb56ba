#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "ui/line_editor.h"

namespace zeb {
namespace {

constexpr int Row = 10;
constexpr int Column = 22;

// Records every distinct look of the edited field that was shown to the user.
class RecordingBackend : public ScriptedBackend {
 public:
  void Present(const ScreenModel& screen) override {
    ScriptedBackend::Present(screen);
    std::string field = TextAt(Column, Row, 10);
    if (Shown.empty() || Shown.back() != field) Shown.push_back(field);
  }
  std::vector<std::string> Shown;
};

class LineEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ConsoleUseBackend(&backend);
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }

  ShortString Edit(const ShortString& text) { return EditLine(text, Row, Column); }

  RecordingBackend backend;
};

TEST_F(LineEditorTest, EditsRomsIntoRodataShowingTheCursorMarkAndOneBlank) {
  backend.Keys("\b\bdata\r");
  EXPECT_EQ(Edit("roms"), "rodata");
  EXPECT_EQ(LastKey, 13);
  std::vector<std::string> expected = {"roms_     ", "rom_      ", "ro_       ", "rod_      ",
                                       "roda_     ", "rodat_    ", "rodata_   "};
  EXPECT_EQ(backend.Shown, expected);
  // Enter writes the text once more with one blank, covering the mark.
  EXPECT_EQ(TextAt(Column, Row, 10), "rodata    ");
  for (int c = Column; c <= Column + 7; ++c) {
    EXPECT_EQ(ForegroundAt(c, Row), 15) << c;
    EXPECT_EQ(BackgroundAt(c, Row), 0) << c;
  }
  EXPECT_EQ(AttrAt(Column + 8, Row), 7) << "the editor draws nothing past the mark and one blank";
}

TEST_F(LineEditorTest, CursorKeysStopAtBothEndsAndTypingInsertsAtTheCursor) {
  backend.Special(77);                                     // Right at the end: nothing
  backend.Special(75).Special(75).Special(75);             // to the start, and once more
  backend.Keys("\b");                                      // Backspace at the start: nothing
  backend.Keys("X");                                       // Xab
  backend.Special(77).Special(77).Special(77).Keys("Y");   // XabY
  backend.Special(75).Keys("Z");                           // XabZY
  backend.Keys("\r");
  EXPECT_EQ(Edit("ab"), "XabZY");
}

TEST_F(LineEditorTest, IgnoresKeysOutsideZeroToZAndSpecialKeysOtherThanLeftAndRight) {
  // Dot, blank, minus, slash, brace, Esc, Tab; then F1 (0, 59 = ";") and
  // Alt+F9 (0, 112 = "p"): their second codes are not typed characters.
  backend.Special(75).Special(75).Special(75).Special(75);
  backend.Keys(". -/{\x1b\t");
  backend.Special(59).Special(112).Special(72);
  backend.Keys("32\r");
  EXPECT_EQ(Edit("mame.exe"), "mame32.exe");
}

TEST_F(LineEditorTest, EscDoesNotEndTheEditOnlyEnterDoes) {
  backend.Keys("\x1b\x1b");
  EXPECT_THROW(Edit("roms"), ScriptEnded);
  EXPECT_EQ(LastKey, 27);
  EXPECT_EQ(TextAt(Column, Row, 6), "roms_ ");
}

TEST_F(LineEditorTest, AFullTextNeverGrows) {
  std::string full(255, 'a');
  full[254] = 'z';
  // At the end nothing is added; inside, the last character is lost.
  backend.Keys("b").Special(75).Keys("c").Keys("\r");
  ShortString result = Edit(full);
  ASSERT_EQ(result.Length(), 255u);
  EXPECT_EQ(result.View().substr(0, 254), std::string(254, 'a'));
  EXPECT_EQ(result[254], 'c');

  // Backspace in a full text makes room again.
  backend.Keys("\bq\r");
  result = Edit(full);
  ASSERT_EQ(result.Length(), 255u);
  EXPECT_EQ(result[253], 'a');
  EXPECT_EQ(result[254], 'q');
}

TEST_F(LineEditorTest, EmptyTextShowsOnlyTheMark) {
  backend.Keys("\r");
  EXPECT_EQ(Edit(""), "");
  EXPECT_EQ(backend.Shown.front().substr(0, 2), "_ ");
  EXPECT_EQ(TextAt(Column, Row, 2), "  ");
}

}  // namespace
}  // namespace zeb
