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
  DrawButton(console, false, 5, 15, "Refresh List!", 7, 64);
  EXPECT_EQ(TextAt(64, 7, 17), "[ Refresh List!] ");
  ExpectColours(64, 7, 16, 15, 5);
  DrawButton(console, false, 15, 0, "Whats New", 19, 64);
  EXPECT_EQ(TextAt(64, 19, 16), "[   Whats New  ]");
  DrawButton(console, false, 12, 15, "Default Config", 19, 64);
  EXPECT_EQ(TextAt(64, 19, 16), "[Default Config]");

  // Selected: triangles instead of brackets, always on white.
  DrawButton(console, true, 4, 0, " Games List ", 3, 64);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  Games List  \x10");
  ExpectColours(64, 3, 16, 0, 15);

  const char* filters[] = {"\x11   All Games  \x10", "\x11   Available  \x10", "\x11    Missing   \x10"};
  for (Filter filter : {Filter::AllGames, Filter::Available, Filter::Missing}) {
    DrawFilterButton(console, filter, 9, 64);
    EXPECT_EQ(TextAt(64, 9, 16), filters[static_cast<int>(filter) - 1]);
  }
}

TEST_F(FrameTest, TitleBarCarriesBothVersionsAndTheCloseMark) {
  RedrawScreen(session);
  std::string title = "X Z.E.B. Zestful Game Launcher v1.1";
  EXPECT_EQ(TextAt(1, 1, 69), title + std::string(69 - title.size(), ' '));
  EXPECT_EQ(TextAt(70, 1, 11), "None Loaded");
  EXPECT_EQ(ForegroundAt(1, 1), 15);
  EXPECT_EQ(BackgroundAt(1, 1), 12);
  ExpectColours(2, 1, 79, 0, 15);
  EXPECT_EQ(TextAt(1, 2, 1), "\xB1");
  ExpectColours(1, 2, 1, 15, 1);

  games.MameVersion = "0.37b5";
  RedrawScreen(session);
  EXPECT_EQ(TextAt(70, 1, 11), "     0.37b5");

  // A version text longer than the row shows from its start, after the mark.
  games.MameVersion = std::string(100, 'v') + "end";
  RedrawScreen(session);
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
  RedrawScreen(session);
  EXPECT_EQ(TextAt(64, 12, 3), "12\xDB");
  EXPECT_EQ(TextAt(64, 14, 3), "12\xDB");
  EXPECT_EQ(TextAt(64, 16, 2), "0\xDB");
}

TEST_F(FrameTest, PanelsOfTheThreeScreens) {
  RedrawScreen(session);
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
  games.AvailableCount = 6;
  ShowPanel(session, Screen::GamesList);
  EXPECT_EQ(TextAt(64, 12, 1), "7");
  EXPECT_EQ(TextAt(64, 16, 1), "1");

  ShowPanel(session, Screen::Options);
  EXPECT_EQ(navigation.PanelScreen, Screen::Options);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11 Mame Options \x10");
  EXPECT_EQ(TextAt(64, 19, 16), "[Default Config]");
  EXPECT_EQ(TextAt(64, 22, 17), std::string(16, '\xDB') + "\xB1");  // the status box

  ShowPanel(session, Screen::Viewer);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  File Viewer \x10");
  EXPECT_EQ(TextAt(64, 15, 16), "   Mame Files   ");
  EXPECT_EQ(TextAt(64, 22, 1), "\xB1");  // nothing left of the status box
}

TEST_F(FrameTest, ConfirmBoxWaitsForYesOrNo) {
  RedrawScreen(session);
  // Esc, Enter, an arrow key and other letters are ignored; the box stays.
  backend.Keys("\x1b\r").Special(Key::Up).Keys("q");
  EXPECT_THROW(ConfirmBox(session, 12, 30), ScriptEnded);
  EXPECT_EQ(TextAt(30, 12, 21), "\xDA" + std::string(19, '\xC4') + "\xBF");
  EXPECT_EQ(TextAt(30, 13, 21), "\xB3" "Are You Sure (Y/N)?" "\xB3");
  EXPECT_EQ(TextAt(30, 14, 21), "\xC0" + std::string(19, '\xC4') + "\xD9");
  ExpectColours(30, 13, 21, 15, 4);

  backend.Keys("N");
  EXPECT_FALSE(ConfirmBox(session, 12, 30));
  EXPECT_TRUE(backend.ScriptDone());  // the box took the answer
  EXPECT_EQ(TextAt(31, 13, 19), std::string(19, ' '));  // redrawn: the box is gone

  backend.Keys("y");
  EXPECT_TRUE(ConfirmBox(session, 12, 30));
  EXPECT_EQ(TextAt(31, 13, 19), "Are You Sure (Y/N)?");  // yes leaves it standing

  // The box reads bytes: the code of a special key counts like a character.
  backend.Special(Key::AltF1 + 6);  // Alt+F7: 0, then "n"
  EXPECT_FALSE(ConfirmBox(session, 12, 30));
  backend.Special(121);  // Alt+2: 0, then "y"
  EXPECT_TRUE(ConfirmBox(session, 12, 30));
  backend.Keys("Y");
  EXPECT_TRUE(ConfirmBox(session, 12, 30));
  EXPECT_TRUE(backend.ScriptDone());
}

}  // namespace
}  // namespace zeb
