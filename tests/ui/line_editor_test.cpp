#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/keys.h"
#include "console/scripted_backend.h"
#include "support/program_test.h"
#include "ui/line_editor.h"

namespace zeb {
namespace {

constexpr int Row = 10;
constexpr int Column = 22;

// Records every distinct look of the field that the user was shown.
class RecordingBackend : public ScriptedBackend {
 public:
  void Present(const ScreenModel& screen) override {
    ScriptedBackend::Present(screen);
    std::string field = zeb::TextAt(screen, Column, Row, 10);
    if (Shown.empty() || Shown.back() != field) Shown.push_back(field);
  }
  std::vector<std::string> Shown;
};

class LineEditorTest : public testing_support::ProgramTest<RecordingBackend> {
 protected:
  ShortString Edit(const ShortString& text, std::string_view also = {}) {
    return EditLine(console, text, Row, Column, also);
  }
};

TEST_F(LineEditorTest, EditsRomsIntoRodataShowingTheCursorMarkAndOneBlank) {
  backend.Keys("\b\bdata\r");
  EXPECT_EQ(Edit("roms"), "rodata");
  EXPECT_TRUE(backend.ScriptDone()) << "Enter ends the edit";
  std::vector<std::string> expected = {"roms_     ", "rom_      ", "ro_       ", "rod_      ",
                                       "roda_     ", "rodat_    ", "rodata_   "};
  EXPECT_EQ(backend.Shown, expected);
  EXPECT_EQ(TextAt(Column, Row, 10), "rodata    ") << "Enter writes the text once more without the mark";
  EXPECT_EQ(AttrAt(Column, Row), 15);
  EXPECT_EQ(AttrAt(Column + 7, Row), 15);
  EXPECT_EQ(AttrAt(Column + 8, Row), 7) << "nothing is drawn past the mark and one blank";
}

TEST_F(LineEditorTest, CursorKeysStopAtBothEndsAndTypingInsertsAtTheCursor) {
  // Right at the end, Left past the start, Backspace at the start: nothing.
  backend.Special(Key::Right).Special(Key::Left).Special(Key::Left).Special(Key::Left);
  backend.Keys("\bX");
  backend.Special(Key::Right).Special(Key::Right).Special(Key::Right).Keys("Y").Special(Key::Left).Keys("Z\r");
  EXPECT_EQ(Edit("ab"), "XabZY");
}

TEST_F(LineEditorTest, IgnoresEscAndKeysOutsideZeroToZAndOtherSpecialKeys) {
  // F1 and Alt+F9 come as 0 then 59 (";") and 112 ("p"): codes, not characters.
  backend.Special(Key::Left).Special(Key::Left).Special(Key::Left).Special(Key::Left);
  backend.Keys(". -/{\x1b\t").Special(Key::F1).Special(Key::AltF1 + 8).Special(Key::Up).Keys("32\r");
  EXPECT_EQ(Edit("mame.exe"), "mame32.exe");

  backend.Keys("\x1b");
  EXPECT_THROW(Edit("roms"), ScriptEnded) << "only Enter ends the edit";
  EXPECT_TRUE(backend.ScriptDone()) << "the Esc was read, and the edit went on";
}

TEST_F(LineEditorTest, PathCharactersAreTypableOnlyWhereTheCallerAsksForThem) {
  backend.Keys("/usr/games/-x. {}\r");
  EXPECT_EQ(Edit("", "/.-"), "/usr/games/-x.");
  backend.Keys("/usr/games/-x. {}\r");
  EXPECT_EQ(Edit(""), "usrgamesx");
  // A key that arrives as 0 is never one of them.
  backend.Special(Key::Left).Keys("\r");
  EXPECT_EQ(Edit("a", std::string_view("/\0", 2)), "a");
}

TEST_F(LineEditorTest, AFullTextNeverGrows) {
  std::string full(255, 'a');
  // At the end nothing is added; inside, the last character is lost.
  backend.Keys("b").Special(Key::Left).Keys("c\r");
  ShortString result = Edit(full);
  EXPECT_EQ(result.Str(), std::string(254, 'a') + "c");
  // Backspace makes room again.
  backend.Keys("\bq\r");
  EXPECT_EQ(Edit(full).Str(), std::string(254, 'a') + "q");
}

}  // namespace
}  // namespace zeb
