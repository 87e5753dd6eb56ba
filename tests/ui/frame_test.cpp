// The frame: buttons, the title bar, the panels and the confirmation box.

#include "ui/frame.h"

#include "console/keys.h"
#include "frame_fixture.h"
#include "settings/game_table.h"

namespace zeb {
namespace {

using ui_testing::ScreenTest;

class FrameTest : public ScreenTest {
 protected:
  // Every cell of a stretch has these colours.
  void ExpectColours(int column, int row, int length, int foreground, int background) {
    for (int c = column; c < column + length; ++c) {
      EXPECT_EQ(ForegroundAt(c, row), foreground) << "column " << c << " row " << row;
      EXPECT_EQ(BackgroundAt(c, row), background) << "column " << c << " row " << row;
    }
  }
};

TEST_F(FrameTest, ButtonsCentreTheirLabelInFourteenCharacters) {
  DrawButton(console, "Refresh List!", {64, 7}, {15, 5}, ButtonLook::Plain);
  EXPECT_EQ(TextAt(64, 7, 17), "[ Refresh List!] ");
  ExpectColours(64, 7, 16, 15, 5);
  DrawButton(console, "Whats New", {64, 19}, {0, 15}, ButtonLook::Plain);
  EXPECT_EQ(TextAt(64, 19, 16), "[   Whats New  ]");
  DrawButton(console, "Default Config", {64, 19}, {15, 12}, ButtonLook::Plain);
  EXPECT_EQ(TextAt(64, 19, 16), "[Default Config]");

  // Selected: triangles instead of brackets, always on white.
  DrawButton(console, " Games List ", {64, 3}, {0, 4}, ButtonLook::Selected);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  Games List  \x10");
  ExpectColours(64, 3, 16, 0, 15);

  const char* filters[] = {"\x11   All Games  \x10", "\x11   Available  \x10", "\x11    Missing   \x10"};
  for (Filter filter : {Filter::AllGames, Filter::Available, Filter::Missing}) {
    DrawFilterButton(console, filter, {64, 9});
    EXPECT_EQ(TextAt(64, 9, 16), filters[static_cast<int>(filter) - 1]);
  }
}

TEST_F(FrameTest, TitleBarCarriesBothVersionsAndTheCloseMark) {
  Start();
  std::string title = "X Z.E.B. Zestful Game Launcher v1.1";
  EXPECT_EQ(TextAt(1, 1, 69), title + std::string(69 - title.size(), ' '));
  EXPECT_EQ(TextAt(70, 1, 11), "None Loaded");
  EXPECT_EQ(ForegroundAt(1, 1), 15);
  EXPECT_EQ(BackgroundAt(1, 1), 12);
  ExpectColours(2, 1, 79, 0, 15);
  EXPECT_EQ(TextAt(1, 2, 1), "\xB1");
  ExpectColours(1, 2, 1, 15, 1);

  games.MameVersion = "0.37b5";
  Start();
  EXPECT_EQ(TextAt(70, 1, 11), "     0.37b5");

  // A version text longer than the row shows from its start, after the mark.
  games.MameVersion = std::string(100, 'v') + "end";
  Start();
  EXPECT_EQ(TextAt(1, 1, 2), "Xv");
  EXPECT_EQ(TextAt(80, 1, 1), "v");
}

// The start counts the flags as loaded; the games list's rebuild, which
// comes after the panel is drawn, counts natodefa too when it runs from
// natodef's archive: the counts show the rebuild's.
TEST_F(FrameTest, TheCountsShownAreThoseOfTheListsRebuild) {
  AddGames(11);
  AddGame("natodefa", "Nato Defense (alternate)", "", "", "0");
  testing_support::Touch("roms/natodef.zip");
  CountAvailableGames(games);
  Start();
  EXPECT_EQ(TextAt(64, 12, 3), "12\xDB");
  EXPECT_EQ(TextAt(64, 14, 3), "12\xDB");
  EXPECT_EQ(TextAt(64, 16, 2), "0\xDB");
}

TEST_F(FrameTest, PanelsOfTheThreeScreens) {
  Start();
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  Games List  \x10");
  EXPECT_EQ(TextAt(64, 5, 16), "[   Run Game   ]");
  ExpectColours(64, 5, 16, 0, 14);
  // With no games every count is 0, written without padding over the black box.
  EXPECT_EQ(TextAt(64, 12, 2), "0\xDB");
  EXPECT_EQ(TextAt(64, 14, 1), "0");
  EXPECT_EQ(TextAt(64, 16, 1), "0");
  EXPECT_EQ(ForegroundAt(65, 12), 0);
  EXPECT_EQ(TextAt(80, 12, 1), "\xB1");  // the box ends in column 79

  AddGames(7);
  games.Games[7].Available = "0";
  Start();
  EXPECT_EQ(TextAt(64, 12, 1), "7");
  EXPECT_EQ(TextAt(64, 16, 1), "1");

  ShowScreen(session, Screen::Options, Page::Paths);
  Draw();
  EXPECT_EQ(navigation.PanelScreen, Screen::Options);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11 Mame Options \x10");
  EXPECT_EQ(TextAt(64, 19, 16), "[Default Config]");
  EXPECT_EQ(TextAt(64, 22, 17), std::string(16, '\xDB') + "\xB1");  // the status box

  ShowScreen(session, Screen::Viewer, Page::Paths);
  Draw();
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  File Viewer \x10");
  EXPECT_EQ(TextAt(64, 15, 16), "   Mame Files   ");
  EXPECT_EQ(TextAt(64, 22, 1), "\xB1");  // nothing left of the status box
}

// The box stands over the screen while it asks; every key but an answer
// leaves it there, and the clicks and the wheel do nothing meanwhile.
TEST_F(FrameTest, ConfirmBoxWaitsForYesOrNo) {
  AddGames(30);
  Start();
  backend.Keys("\x1b\r").Special(Key::Up).Keys("q").Click(10, 6).Wheel(2);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_EQ(dialog.Asking, Question::Quit);
  EXPECT_EQ(TextAt(30, 12, 21), "\xDA" + std::string(19, '\xC4') + "\xBF");
  EXPECT_EQ(TextAt(30, 13, 21), "\xB3" "Are You Sure (Y/N)?" "\xB3");
  EXPECT_EQ(TextAt(30, 14, 21), "\xC0" + std::string(19, '\xC4') + "\xD9");
  ExpectColours(30, 13, 21, 15, 4);
  EXPECT_EQ(list.SelectedEntry, 1);
  EXPECT_EQ(list.Window.TopLine, 0);

  backend.Keys("N");
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_EQ(dialog.Asking, Question::None);
  EXPECT_EQ(TextAt(2, 13, 49), "g0010     Game 10" + std::string(32, ' '));  // drawn anew: the box is gone

  // The box reads bytes: the code of a special key counts like a character.
  backend.Keys("\x1b").Special(Key::AltF1 + 6);  // Alt+F7: 0, then "n"
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_EQ(dialog.Asking, Question::None);
  backend.Keys("\x1b").Special(121);  // Alt+2: 0, then "y"
  EXPECT_NO_THROW(MainLoop(session));
  EXPECT_TRUE(backend.ScriptDone());
  backend.Keys("\x1bY");
  EXPECT_NO_THROW(MainLoop(session));
  EXPECT_EQ(TextAt(31, 13, 19), "Are You Sure (Y/N)?");  // yes leaves it standing
}

// The screen is a function of the records: drawing it again changes no
// cell, on every screen, with the box, a message or a notice over it.
TEST_F(FrameTest, DrawingTwiceGivesWhatDrawingOnceGives) {
  AddGames(40);
  testing_support::WriteBytes("readme.txt", "line\r\n");
  Start();
  const auto expectSameAgain = [this](const char* what) {
    const ScreenModel once = console.Screen;
    Draw();
    EXPECT_TRUE(SameScreen(once, console.Screen)) << what;
  };
  expectSameAgain("games list");
  backend.Keys("/g00").Click(10, 8);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  expectSameAgain("search");
  backend.Keys("\x1b").Click(79, 3).Click(79, 3).Click(70, 7).Click(1, 1);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  ASSERT_EQ(dialog.Asking, Question::CloseMark);
  expectSameAgain("viewer with the box");
  backend.Keys("n").Click(64, 3).Click(70, 7).Click(30, 4).Click(9, 4);
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  ASSERT_EQ(options.Message, "Config Saved ");
  expectSameAgain("options with a message");
  backend.Click(3, 4).Click(30, 10).Keys("ab\b");
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  ASSERT_TRUE(options.Editor.Open);
  expectSameAgain("line editor");
}

}  // namespace
}  // namespace zeb
