#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/keys.h"
#include "frame_fixture.h"
#include "ui/line_editor.h"

namespace zeb {
namespace {

constexpr int Row = 10;
constexpr int Column = 22;

// The editor alone: keys in, and every distinct look of the field the
// user was shown after each of them.
class LineEditorTest : public ::testing::Test {
 public:
  LineEditorTest& Keys(std::string_view text) {
    for (char c : text) keys_.push_back(KeyPress{false, static_cast<unsigned char>(c)});
    return *this;
  }
  LineEditorTest& Special(unsigned char code) {
    keys_.push_back(KeyPress{true, code});
    return *this;
  }
  // Edits `text` with the keys queued; the text when Enter came, or
  // "(open)" when the keys ran out first.
  std::string Edit(const ShortString& text, std::string_view also = {}) {
    OpenLineEditor(editor, text, {Column, Row}, also);
    Show();
    bool done = false;
    for (KeyPress key : keys_) {
      if (done) break;
      done = EditKey(editor, key);
      Show();
    }
    keys_.clear();
    return done ? editor.Text.Str() : "(open)";
  }

 protected:
  void Show() {
    if (editor.Open) DrawEditedText(console, editor);
    std::string field = TextAt(console.Screen, Column, Row, 10);
    if (Shown.empty() || Shown.back() != field) Shown.push_back(field);
  }

  Console console;
  LineEditor editor;
  std::vector<std::string> Shown;

 private:
  std::vector<KeyPress> keys_;
};

TEST_F(LineEditorTest, EditsRomsIntoRodataShowingTheCursorMarkAndOneBlank) {
  Keys("\b\bdata\r");
  EXPECT_EQ(Edit("roms"), "rodata");
  std::vector<std::string> expected = {"roms_     ", "rom_      ", "ro_       ", "rod_      ",
                                       "roda_     ", "rodat_    ", "rodata_   "};
  EXPECT_EQ(Shown, expected);
  EXPECT_FALSE(editor.Open) << "Enter ends the edit";
  EXPECT_EQ(EditedLastColumn(editor), Column + 6) << "closed, the text and one blank";
  EXPECT_EQ(AttrAt(console.Screen, Column, Row), 15);
  EXPECT_EQ(AttrAt(console.Screen, Column + 8, Row), 7) << "nothing is drawn past the mark and one blank";
}

TEST_F(LineEditorTest, CursorKeysStopAtBothEndsAndTypingInsertsAtTheCursor) {
  // Right at the end, Left past the start, Backspace at the start: nothing.
  Special(Key::Right).Special(Key::Left).Special(Key::Left).Special(Key::Left);
  Keys("\bX");
  Special(Key::Right).Special(Key::Right).Special(Key::Right).Keys("Y").Special(Key::Left).Keys("Z\r");
  EXPECT_EQ(Edit("ab"), "XabZY");
}

TEST_F(LineEditorTest, IgnoresEscAndKeysOutsideZeroToZAndOtherSpecialKeys) {
  // F1 and Alt+F9 have the codes 59 (";") and 112 ("p"): codes, not characters.
  Special(Key::Left).Special(Key::Left).Special(Key::Left).Special(Key::Left);
  Keys(". -/{\x1b\t").Special(Key::F1).Special(Key::AltF1 + 8).Special(Key::Up).Keys("32\r");
  EXPECT_EQ(Edit("mame.exe"), "mame32.exe");

  Keys("\x1b");
  EXPECT_EQ(Edit("roms"), "(open)") << "only Enter ends the edit";
}

TEST_F(LineEditorTest, PathCharactersAreTypableOnlyWhereTheCallerAsksForThem) {
  Keys("/usr/games/-x. {}\r");
  EXPECT_EQ(Edit("", "/.-"), "/usr/games/-x.");
  Keys("/usr/games/-x. {}\r");
  EXPECT_EQ(Edit(""), "usrgamesx");
  // A special key is never one of them.
  Special('/').Keys("\r");
  EXPECT_EQ(Edit("a", "/"), "a");
}

TEST_F(LineEditorTest, AFullTextNeverGrows) {
  std::string full(255, 'a');
  // At the end nothing is added; inside, the last character is lost.
  Keys("b").Special(Key::Left).Keys("c\r");
  EXPECT_EQ(Edit(full), std::string(254, 'a') + "c");
  // Backspace makes room again.
  Keys("\bq\r");
  EXPECT_EQ(Edit(full), std::string(254, 'a') + "q");
}

// On the options screen the editor is a mode of the main loop: it takes
// every key until Enter, clicks do nothing meanwhile, and the blanks it
// leaves behind a text that got shorter stay until the page is drawn anew.
using LineEditorModeTest = ui_testing::ScreenTest;

TEST_F(LineEditorModeTest, ItTakesTheKeysUntilEnterAndLeavesItsBlanksUntilThePageIsDrawnAnew) {
  Start();
  backend.Click(79, 3).Click(30, Row).Keys("\b\b\b\bab\x1b").Click(79, 3).Click(30, 7);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_TRUE(options.Editor.Open);
  EXPECT_EQ(navigation.CurrentScreen, Screen::Options) << "clicks do nothing while it is open";
  EXPECT_EQ(settings.RomPaths, "roms") << "the setting changes only with Enter";
  // "roms" took columns 22 to 27 with its mark and blank: blanks remain there.
  EXPECT_EQ(TextAt(Column, Row, 8), "ab_   \xDB\xDB");
  EXPECT_EQ(AttrAt(Column + 5, Row), 15) << "a blank of the editor, white on black";
  EXPECT_EQ(TextAt(Column + 6, Row, 1), "\xDB") << "the black bar after it";

  backend.Keys("\r");
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_FALSE(options.Editor.Open);
  EXPECT_EQ(settings.RomPaths, "ab");
  EXPECT_EQ(TextAt(Column, Row, 7), "ab    \xDB");
  // Another page and back: the field as the page draws it.
  backend.Click(10, 4).Click(4, 4);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_EQ(TextAt(Column, Row, 4), "ab\xDB\xDB");
}

}  // namespace
}  // namespace zeb
