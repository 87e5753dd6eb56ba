// The option pages as drawn, the tabs, and the path fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "settings/settings.h"
#include "support/platform.h"
#include "support/program_test.h"
#include "ui/frame.h"
#include "ui/options_screen.h"
#include "ui/main_loop.h"
#include "ui/screen.h"

namespace zeb {
namespace {

using testing_support::ForPlatform;

class OptionsPagesTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetDefaultSettings(settings, options.Captions);
  }

  // The main loop on the queued script until it runs out.
  void Play() { EXPECT_THROW(MainLoop(session), ScriptEnded); }
  unsigned char CharAt(int column, int row) const { return console.Screen.Cells[row - 1][column - 1].Char; }
  void DrawPage(Page page) { DrawOptionsPage(console, settings, options, page); }
  // The options screen on its first page, as the screen switch shows it.
  void ShowOptions() {
    ShowScreen(session, Screen::Options, Page::Paths);
    DrawScreen(console, session);
  }
  // A click, and the screen drawn after it as the main loop draws it.
  void Click(int column, int row) {
    HandleOptionsClick(console, options, settings, {column, row});
    DrawScreen(console, session);
  }
};

std::string Line(std::initializer_list<int> runs, char first, char between, char last) {
  std::string text(1, first);
  for (int run : runs) text += std::string(static_cast<std::size_t>(run), '\xC4') + between;
  text.back() = last;
  return text;
}

TEST_F(OptionsPagesTest, EveryPageStandsInTheFrameUnderItsTabs) {
  for (int page : {1, 2, 3, 4, 6}) {
    console.Screen = ScreenModel();  // a clean screen for each page
    DrawPage(static_cast<Page>(page));
    EXPECT_EQ(TextAt(2, 3, 34), Line({5, 7, 12, 5}, '\xDA', '\xC2', '\xBF')) << page;
    EXPECT_EQ(TextAt(56, 3, 7), Line({5}, '\xDA', '\xC2', '\xBF')) << page;
    EXPECT_EQ(TextAt(2, 4, 34), "\xB3Paths\xB3" "Display\xB3Sound/Vector\xB3Other\xB3") << page;
    EXPECT_EQ(TextAt(56, 4, 7), "\xB3" "About\xB3") << page;
    EXPECT_EQ(TextAt(2, 5, 61), Line({5, 7, 12, 5, 20, 5}, '\xC3', '\xC1', '\xB4')) << page;
    EXPECT_EQ(CharAt(2, 15), 0xB3) << page;
    EXPECT_EQ(CharAt(62, 24), 0xB3) << page;
    EXPECT_EQ(TextAt(2, 25, 61), Line({59}, '\xC0', '\xC4', '\xD9')) << page;
    EXPECT_EQ(AttrAt(62, 25), 15 + 16 * 1) << page;
    EXPECT_EQ(AttrAt(63, 25), 7) << page;
    // The gap between the tab groups and the page area are blue blocks.
    EXPECT_EQ(CharAt(36, 3), 0xDB);
    EXPECT_EQ(AttrAt(55, 4), 1 + 16 * 15);
    EXPECT_EQ(AttrAt(61, 6), 1 + 16 * 15);
  }
  // The About page: the picture and the credit line in white and yellow.
  EXPECT_EQ(CharAt(3, 6), 0xDB);
  EXPECT_EQ(CharAt(60, 22), 0xDB);
  EXPECT_EQ(AttrAt(10, 24), 15 + 16 * 1);
  EXPECT_EQ(AttrAt(24, 24), 14 + 16 * 1);
}

TEST_F(OptionsPagesTest, PathsPageShowsFieldsAsBlackBarsAndTheNotes) {
  settings.ExeName = std::string(50, 'e');
  DrawPage(Page::Paths);
  EXPECT_EQ(TextAt(4, 10, 11), "Roms Paths:");
  EXPECT_EQ(TextAt(22, 10, 5), "roms\xDB");
  EXPECT_EQ(AttrAt(22, 10), 15);
  EXPECT_EQ(AttrAt(58, 10), 0 + 16 * 15) << "the bar is full blocks in black to column 58";
  EXPECT_EQ(AttrAt(59, 10), 1 + 16 * 15);
  const std::string note = "To add extra directories use a \";\" as a separator";
  EXPECT_EQ(TextAt(4, 12, 49), note);
  EXPECT_EQ(TextAt(4, 18, 49), note);
  EXPECT_EQ(TextAt(22, 22, 50), std::string(50, 'e')) << "a long field runs past the bar";
}

TEST_F(OptionsPagesTest, TabsSwitchPagesOnlyToAnotherPage) {
  ShowOptions();
  Click(9, 4);
  EXPECT_EQ(options.OptionsPage, Page::Display);
  EXPECT_EQ(AttrAt(9, 4), 14 + 16 * 1) << "the Display caption is yellow";
  EXPECT_EQ(AttrAt(3, 4), 15 + 16 * 1);
  EXPECT_EQ(TextAt(4, 7, 14), "Auto Frameskip");

  // The current page's tab, a separator and the gap do nothing: the page
  // is not drawn anew (which would take the line editor's blanks away).
  options.EditedTo[12] = 40;
  for (int column : {12, 8, 45, 62}) Click(column, 4);
  EXPECT_EQ(options.OptionsPage, Page::Display);
  EXPECT_EQ(options.EditedTo[12], 40);

  for (auto [column, page] :
       {std::pair{28, Page::SoundVector}, {30, Page::Other}, {56, Page::About}, {7, Page::Paths}}) {
    Click(column, 4);
    EXPECT_EQ(options.OptionsPage, page) << "column " << column;
  }
  EXPECT_TRUE(backend.Pauses.empty()) << "the tab row has no pause";
}

TEST_F(OptionsPagesTest, ClickOnAPathFieldEditsItInPlace) {
  ShowOptions();
  backend.Click(57, 10).Keys("\b\bdata\r").Click(22, 22).Keys("32\r");
  // Columns 21 and 58 are off the field: no editor, which would take the keys.
  backend.Click(21, 7).Click(58, 16).Keys("z");
  Play();
  EXPECT_EQ(settings.RomPaths, "rodata");
  EXPECT_EQ(TextAt(22, 10, 8), "rodata  ");
  EXPECT_EQ(settings.ExeName, "mame.exe32");
  EXPECT_FALSE(options.Editor.Open);
  EXPECT_EQ(backend.Pauses, (std::vector<int>{150, 150, 150, 150}));
}

// The path fields take the characters that paths on this system need: on
// POSIX "/", "." and "-" as well; on Windows exactly the editor's own, "0"
// to "z" ("\" and ":" are among them), and "/", "." and "-" are refused as
// everywhere in the editor (the "." that is there stays).
TEST_F(OptionsPagesTest, ThePathsOfThisSystemCanBeTyped) {
  ShowOptions();
  backend.Click(22, 7).Keys("\b\b\b\bD:\\Emu\\\r");
  backend.Click(22, 22).Keys("\b\b\b/usr/games/mame-0.251\r");
  Play();
  EXPECT_EQ(settings.MamePath, "D:\\Emu\\");
  EXPECT_EQ(settings.ExeName, ForPlatform("mame./usr/games/mame-0.251", "mame.usrgamesmame0251"));
}

}  // namespace
}  // namespace zeb
