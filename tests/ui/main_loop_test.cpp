// The main loop: keys, the letter jump, clicks on rows, arrows and panel
// buttons, the screen switch, the launch roads and quitting.

#include "ui/main_loop.h"

#include <algorithm>
#include <filesystem>

#include "console/keys.h"
#include "storage/file_system.h"
#include "frame_fixture.h"
#include "ui/frame.h"

namespace zeb {
namespace {

using testing_support::Touch;
using ui_testing::ScreenTest;

using Key::Home, Key::Up, Key::Left, Key::Right, Key::End, Key::Down;
constexpr unsigned char PgDn = Key::PageDown;

class MainLoopTest : public ScreenTest {
 protected:
  void RunKeys(unsigned char special) {
    backend.Special(special);
    Run();
  }

  void Rename(int game, std::string_view driver) { games.Games[game].DriverName = driver; }
};

TEST_F(MainLoopTest, ScrollKeysStopAtBothEndsOfALongList) {
  AddGames(100);
  Start();
  RunKeys(End);
  EXPECT_EQ(list.Window.TopLine, 79);
  EXPECT_EQ(TextAt(2, 4, 5), "g0080");
  EXPECT_EQ(TextAt(2, 24, 5), "g0100");
  const std::pair<unsigned char, int> steps[] = {{Down, 79}, {Up, 78}, {PgDn, 78}, {Home, 0}, {Up, 0}, {Down, 1}};
  for (auto [key, top] : steps) {
    RunKeys(key);
    EXPECT_EQ(list.Window.TopLine, top) << "after key " << int(key);
  }
  EXPECT_EQ(TextAt(2, 4, 5), "g0002");
  // The keys move the window only.
  EXPECT_EQ(list.SelectedEntry, 1);
  EXPECT_EQ(list.SelectedGame, 1);
}

TEST_F(MainLoopTest, ColumnOffsetStaysWithinZeroAndSixty) {
  AddGame("longname", std::string(130, 'd'));
  Start();
  RunKeys(Left);
  EXPECT_EQ(list.Window.ColumnOffset, 0);
  for (int i = 0; i < 61; ++i) backend.Special(Right);
  Run();
  EXPECT_EQ(list.Window.ColumnOffset, 60);
  EXPECT_EQ(TextAt(2, 4, 60), std::string(60, 'd'));
  backend.Click(61, 25);  // the right arrow of the scroll bar
  Run();
  EXPECT_EQ(list.Window.ColumnOffset, 60);
  backend.Click(2, 25);
  Run();
  EXPECT_EQ(list.Window.ColumnOffset, 59);
}

TEST_F(MainLoopTest, LetterJumpMovesTheWindowToTheFirstMatch) {
  AddGames(100);
  Rename(30, "pacman");
  Rename(31, "pengo");
  Rename(95, "qix");
  Start();
  backend.Keys("P");
  Run();
  EXPECT_EQ(list.Window.TopLine, 29);
  EXPECT_EQ(TextAt(2, 4, 6), "pacman");
  backend.Keys("q");
  Run();
  EXPECT_EQ(list.Window.TopLine, 74);  // a match near the end shows on the bottom row
  EXPECT_EQ(TextAt(2, 24, 3), "qix");
  backend.Keys("z");
  Run();
  EXPECT_EQ(list.Window.TopLine, 74);
  // The selection stays on the first game.
  EXPECT_EQ(list.SelectedEntry, 1);
  EXPECT_EQ(list.SelectedGame, 1);
}

// The window shows 21 rows: a first match with 21 entries or more from it
// to the end stands on the top row; one nearer the end, on the bottom row of
// a full window.
TEST_F(MainLoopTest, LetterJumpShowsAMatchNearTheEndOnTheBottomRow) {
  AddGames(100);
  for (auto [entry, top] : {std::pair{81, 60}, {80, 79}, {79, 78}}) {
    Rename(entry, "p" + std::to_string(entry));
    Start();
    backend.Keys("p");
    Run();
    EXPECT_EQ(list.Window.TopLine, top) << "first match at " << entry;
    EXPECT_EQ(TextAt(2, 4 + entry - 1 - top, 3), "p" + std::to_string(entry));
  }
}

TEST_F(MainLoopTest, ShortListNeitherScrollsNorJumps) {
  AddGames(10);
  Rename(5, "mario");
  Start();
  backend.Special(End).Special(Down).Keys("m");
  Run();
  EXPECT_EQ(list.Window.TopLine, 0);
}

TEST_F(MainLoopTest, RowClickSelectsAndBelowTheListSelectsTheLast) {
  AddGames(10);
  games.Games[2].CheatCount = "42";
  Start();
  backend.Click(10, 5);
  Run();
  EXPECT_EQ(list.SelectedEntry, 2);
  EXPECT_EQ(list.SelectedGame, 2);
  EXPECT_EQ(BackgroundAt(10, 5), 15);
  EXPECT_EQ(TextAt(64, 20, 4), "42  ");

  backend.Click(30, 24);
  Run();
  EXPECT_EQ(list.SelectedEntry, 10);
  EXPECT_EQ(list.SelectedGame, 10);
  EXPECT_EQ(BackgroundAt(2, 13), 15);
  EXPECT_EQ(BackgroundAt(2, 5), 0);
}

TEST_F(MainLoopTest, ScrollArrowsPauseAndMoveOneStep) {
  AddGames(30);
  Start();
  backend.Click(62, 24).Click(62, 25);
  Run();
  EXPECT_EQ(list.Window.TopLine, 2);
  backend.Click(62, 3).Click(62, 4).Click(62, 4);
  Run();
  EXPECT_EQ(list.Window.TopLine, 0);
  backend.Click(61, 25).Click(2, 25);
  Run();
  EXPECT_EQ(list.Window.ColumnOffset, 0);
  EXPECT_EQ(backend.Pauses, (std::vector<int>{30, 1, 1, 30, 30, 20, 20}));
}

TEST_F(MainLoopTest, HeldOuterDownArrowScrollsUntilReleased) {
  AddGames(100);
  Start();
  backend.Hold(62, 25, 20);
  Run();
  // One step per pass while the button is down, each after a 1 ms pause.
  EXPECT_GE(list.Window.TopLine, 20);
  EXPECT_LE(list.Window.TopLine, 22);
  EXPECT_EQ(backend.Pauses.size(), static_cast<std::size_t>(list.Window.TopLine));
  EXPECT_TRUE(std::all_of(backend.Pauses.begin(), backend.Pauses.end(), [](int ms) { return ms == 1; }));
  EXPECT_EQ(TextAt(2, 4, 5), "g00" + std::to_string(list.Window.TopLine + 1));

  // Near the end the click goes on repeating but the window stops.
  backend.Special(End).Special(Up).Hold(62, 25, 10);
  Run();
  EXPECT_EQ(list.Window.TopLine, 79);
  EXPECT_EQ(TextAt(2, 24, 5), "g0100");
}

TEST_F(MainLoopTest, EmptyListIgnoresRowsArrowsAndKeys) {
  AddGames(5);
  Start();
  backend.Click(79, 9).Click(79, 9);  // "Missing": all five are available
  Run();
  ASSERT_EQ(list.Window.EntryCount, 0);
  EXPECT_EQ(list.SelectedGame, 0);  // no game selected
  backend.Pauses.clear();
  backend.Click(10, 5).Click(62, 25).Click(2, 25).Special(Down);
  Run();
  EXPECT_TRUE(backend.Pauses.empty());
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_EQ(list.SelectedEntry, 1);
}

TEST_F(MainLoopTest, FilterButtonStepsAndItsCaptionReappliesTheFilter) {
  AddGames(40);
  for (int game = 1; game <= 40; game += 3) games.Games[game].Available = "0";  // 1, 4, 7, ...
  list.ListFilter = Filter::Available;
  list.SelectedGame = 2;
  Start();
  backend.Click(10, 10).Special(Down).Special(Down).Special(Right);
  Run();
  ASSERT_EQ(list.SelectedEntry, 7);
  ASSERT_EQ(list.Window.TopLine, 2);
  ASSERT_EQ(list.Window.ColumnOffset, 1);

  backend.Click(70, 9);
  Run();
  EXPECT_EQ(list.ListFilter, Filter::Available);
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_EQ(list.Window.ColumnOffset, 0);
  EXPECT_EQ(list.SelectedEntry, 1);
  EXPECT_EQ(list.SelectedGame, 2);
  EXPECT_EQ(backend.Pauses, std::vector<int>{150});
  EXPECT_EQ(BackgroundAt(2, 4), 15);

  backend.Click(79, 9);
  Run();
  EXPECT_EQ(list.ListFilter, Filter::Missing);
  EXPECT_EQ(list.SelectedGame, 1);
  EXPECT_EQ(list.Window.EntryCount, 14);
  EXPECT_EQ(TextAt(64, 9, 16), "\x11    Missing   \x10");
  backend.Click(79, 9);
  Run();
  EXPECT_EQ(list.ListFilter, Filter::Missing);
  backend.Click(64, 9).Click(64, 9).Click(64, 9);
  Run();
  EXPECT_EQ(list.ListFilter, Filter::AllGames);
  EXPECT_EQ(list.Window.EntryCount, 40);
}

TEST_F(MainLoopTest, RunGameIgnoresTheMissingFilterWhileEnterLaunches) {
  AddGame("alpha", "Alpha", "", "", "0");
  AddGame("beta", "Beta", "", "", "1");
  Touch("roms/alpha.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  list.ListFilter = Filter::Missing;
  Start();
  ASSERT_EQ(list.SelectedGame, 1);

  backend.Click(70, 5);
  Run();
  EXPECT_EQ(backend.Resumes, 0);

  backend.Keys("\r");
  Run();
  EXPECT_EQ(backend.Resumes, 1);
  std::string shown;
  for (const Cell& cell : backend.LastSuspendScreen.Cells[0]) shown += static_cast<char>(cell.Char);
  EXPECT_EQ(shown.substr(0, 17), "Starting Mame...\xDB");
  // Back on the list afterwards.
  EXPECT_EQ(TextAt(2, 4, 5), "alpha");

  backend.Click(64, 9).Click(64, 9).Click(70, 5);  // "All Games" selects alpha again
  Run();
  EXPECT_EQ(list.ListFilter, Filter::AllGames);
  EXPECT_EQ(backend.Resumes, 2);
}

TEST_F(MainLoopTest, EnterRunsTheSelectedGameAfterALetterJump) {
  AddGames(50);
  Rename(40, "xevious");
  Touch("roms/g0003.zip");
  Touch("roms/xevious.zip");
  settings.PauseAfterMame = 1;
  Start();
  // Select entry 3, jump to "x", press Enter: the launch waits for a key.
  backend.Click(10, 6).Keys("x\r");
  EXPECT_THROW(MainLoop(session), ScriptEnded);
  EXPECT_EQ(TextAt(1, 1, 16), "Starting Mame...");
  EXPECT_EQ(TextAt(1, 25, 30), "Press any key to continue.....");
  EXPECT_EQ(list.SelectedGame, 3);
}

// The panel drawn is the one whose buttons act: after a game run from the
// viewer, the games list's.
TEST_F(MainLoopTest, EnterInTheViewerRunsTheGameAndBringsBackTheWholeGamesList) {
  AddGames(3);
  Touch("roms/g0001.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  Start();
  backend.Click(79, 3).Click(79, 3).Keys("\r");
  Run();
  EXPECT_EQ(backend.Resumes, 1);
  EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);
  EXPECT_EQ(navigation.PanelScreen, Screen::GamesList);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  Games List  \x10");
  EXPECT_EQ(TextAt(64, 5, 16), "[   Run Game   ]");
  EXPECT_EQ(TextAt(2, 4, 5), "g0001");
}

TEST_F(MainLoopTest, EscAnsweredNoRedrawsOnTheSelectedGame) {
  AddGames(100);
  Rename(80, "nova");
  Start();
  backend.Click(10, 13);  // entry 10
  backend.Special(Down).Special(Down).Special(Down);
  backend.Keys("\x1bn");
  Run();
  EXPECT_EQ(list.SelectedEntry, 10);
  // The redraw put entry 10 on the first row; the "n" jumped nowhere.
  EXPECT_EQ(list.Window.TopLine, 9);
  EXPECT_EQ(TextAt(2, 4, 5), "g0010");
  EXPECT_EQ(BackgroundAt(2, 4), 15);
}

TEST_F(MainLoopTest, QuittingByTheCloseMarkOrEsc) {
  AddGames(3);
  Start();
  backend.Click(1, 1).Keys("n").Click(10, 5).Click(1, 1).Keys("y");
  EXPECT_NO_THROW(MainLoop(session));
  EXPECT_TRUE(backend.ScriptDone());  // the loop ended after the pass of the "yes"
  EXPECT_EQ(list.SelectedEntry, 2);        // and went on after the "no"

  backend.Keys("\x1bY").Keys("a");
  EXPECT_NO_THROW(MainLoop(session));
  EXPECT_FALSE(backend.ScriptDone());  // Esc and yes end it at once
}

TEST_F(MainLoopTest, TheCloseMarkAnsweredNoLeavesTheViewersFileOnDisplay) {
  AddGames(3);
  testing_support::WriteBytes("zebhelp.txt", "help line 1\r\n");
  Start();
  backend.Click(79, 3).Click(79, 3).Click(70, 9).Click(1, 1).Keys("n");
  Run();
  EXPECT_TRUE(viewer.FileLoaded);
  EXPECT_EQ(TextAt(2, 4, 11), "help line 1");
}

TEST_F(MainLoopTest, IdleLoopWaitsForInput) {
  AddGames(3);
  Start();
  backend.Keys("a");
  // With nothing more to come the loop asks for input instead of spinning.
  EXPECT_THROW(MainLoop(session), ScriptEnded);
}

TEST_F(MainLoopTest, PanelTrianglesSwitchScreensWithoutWrapping) {
  AddGames(30);
  Start();
  backend.Click(64, 3).Special(Right);
  Run();
  EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);
  EXPECT_EQ(list.Window.ColumnOffset, 1);

  viewer.FileLoaded = true;
  backend.Click(79, 3);
  Run();
  EXPECT_EQ(navigation.CurrentScreen, Screen::Options);
  EXPECT_EQ(navigation.PanelScreen, Screen::Options);
  EXPECT_EQ(options.OptionsPage, Page::Paths);
  EXPECT_EQ(list.Window.ColumnOffset, 0);
  EXPECT_FALSE(viewer.FileLoaded);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11 Mame Options \x10");

  // Keys other than Esc do nothing on the options screen.
  int top = list.Window.TopLine;
  backend.Special(Down).Keys("g");
  Run();
  EXPECT_EQ(list.Window.TopLine, top);

  backend.Click(79, 3);
  Run();
  EXPECT_EQ(navigation.CurrentScreen, Screen::Viewer);
  EXPECT_EQ(TextAt(2, 3, 60), "Text Viewer" + std::string(49, ' '));
  EXPECT_EQ(AttrAt(2, 3), 15 + 16 * 5);
  EXPECT_EQ(TextAt(2, 25, 1) + TextAt(61, 25, 1) + TextAt(62, 3, 1) + TextAt(62, 25, 1), "\x11\x10\x1E\x1F");
  EXPECT_EQ(AttrAt(62, 3), 12 + 16 * 15);
  EXPECT_EQ(AttrAt(2, 4), 0 + 16 * 15);  // the black box around the picture
  EXPECT_EQ(TextAt(3, 6, 1), "\xDB");
  EXPECT_EQ(BackgroundAt(3, 6), 0);

  backend.Click(79, 3);
  Run();
  EXPECT_EQ(navigation.CurrentScreen, Screen::Viewer);
  backend.Click(64, 3).Click(64, 3);
  Run();
  EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);
  EXPECT_EQ(TextAt(64, 3, 16), "\x11  Games List  \x10");
  EXPECT_EQ(TextAt(2, 3, 6), "Driver");
}

TEST_F(MainLoopTest, ViewerButtonsLoadTheirFiles) {
  AddGames(3);
  std::string lines;
  for (int i = 1; i <= 30; ++i) lines += "line " + std::to_string(i) + "\r\n";
  testing_support::WriteBytes("windows.txt", lines);
  testing_support::WriteBytes("mameguide.txt", "guide\r\n");
  Start();
  backend.Click(79, 3).Click(79, 3).Click(70, 23);
  Run();
  ASSERT_EQ(navigation.CurrentScreen, Screen::Viewer);
  EXPECT_TRUE(viewer.FileLoaded);
  EXPECT_EQ(TextAt(2, 4, 7), "line 1 ");
  backend.Pauses.clear();

  // Scroll keys page through the file; letters do not jump on the viewer.
  backend.Special(Down).Special(Down).Keys("g");
  Run();
  EXPECT_EQ(TextAt(2, 4, 7), "line 3 ");
  backend.Click(62, 24);
  Run();
  EXPECT_EQ(TextAt(2, 4, 7), "line 4 ");

  backend.Click(70, 11);
  Run();
  EXPECT_EQ(TextAt(2, 4, 6), "guide ");
  EXPECT_EQ(backend.Pauses, std::vector<int>{30});  // the inner arrow; file buttons do not pause
}

TEST_F(MainLoopTest, ConfigButtonsLeaveTheirMessagesInTheStatusBox) {
  AddGames(3);
  Start();
  backend.Click(79, 3).Click(70, 5);
  Run();
  EXPECT_EQ(TextAt(66, 22, 13), "Config Loaded");
  EXPECT_EQ(ForegroundAt(66, 22), 15);
  EXPECT_EQ(BackgroundAt(66, 22), 0);
  EXPECT_EQ(options.OptionsPage, Page::Paths);

  backend.Click(70, 7);
  Run();
  EXPECT_EQ(TextAt(66, 22, 13), "Config Saved ");
  EXPECT_TRUE(FileExists("zeb.ini"));
  // Each panel button click is followed by the options screen's pause.
  EXPECT_EQ(std::count(backend.Pauses.begin(), backend.Pauses.end(), 150), 3);

  settings.RomPaths = "elsewhere";
  backend.Click(70, 19).Keys("n");
  Run();
  EXPECT_EQ(settings.RomPaths, "elsewhere");
  backend.Click(70, 19).Keys("y");
  Run();
  EXPECT_EQ(settings.RomPaths, "roms");
  EXPECT_EQ(TextAt(66, 22, 13), "Config Reset ");

  // Loading brings the saved settings back.
  settings.RomPaths = "changed";
  backend.Click(70, 5);
  Run();
  EXPECT_EQ(settings.RomPaths, "roms");
}

TEST_F(MainLoopTest, RefreshRescansAndRedraws) {
  AddGame("alpha", "Alpha", "", "", "0");
  AddGame("beta", "Beta", "", "", "1");
  Touch("roms/alpha.zip");
  Start();
  games.AvailableCount = 1;

  backend.Click(70, 7).Keys("n");
  Run();
  EXPECT_EQ(games.Games[1].Available, "0");

  backend.Click(70, 7).Keys("y");
  Run();
  EXPECT_EQ(games.Games[1].Available, "1");
  EXPECT_EQ(games.Games[2].Available, "0");
  EXPECT_EQ(games.AvailableCount, 1);
  EXPECT_TRUE(FileExists("zeb.ini"));
  EXPECT_EQ(games.GameCount, 2);
  // The redraw shows the new counts and the list again.
  EXPECT_EQ(TextAt(64, 14, 1), "1");
  EXPECT_EQ(TextAt(64, 16, 1), "1");
  EXPECT_EQ(TextAt(2, 4, 5), "alpha");
}

// Every rebuild that keeps the selection puts the highlight on the game
// that Enter runs; a game the list no longer shows is selected no more.
TEST_F(MainLoopTest, TheHighlightStaysOnTheGameThatRuns) {
  AddGame("alpha", "Alpha", "", "Puzzle", "0");
  AddGame("beta", "Beta", "", "Maze", "1");
  AddGame("gamma", "Gamma", "", "Sports", "1");
  Touch("roms/beta.zip");
  Touch("roms/gamma.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  list.ListFilter = Filter::Available;
  Start();
  backend.Click(10, 5);  // gamma, the second available game
  Run();
  ASSERT_EQ(list.SelectedGame, 3);

  // An archive for alpha, which comes before gamma, and the list refreshed.
  Touch("roms/alpha.zip");
  backend.Click(70, 7).Keys("y");
  Run();
  ASSERT_EQ(list.Window.EntryCount, 3);
  EXPECT_EQ(list.SelectedEntry, 3);
  EXPECT_EQ(list.SelectedGame, 3);
  EXPECT_EQ(BackgroundAt(2, 6), 15);
  EXPECT_EQ(BackgroundAt(2, 5), 0);
  EXPECT_EQ(TextAt(64, 22, 6), "Sports");
  backend.Keys("\r");
  Run();
  EXPECT_EQ(testing_support::ReadBytes("launch.log").substr(0, 7), "[gamma]");

  // Its archive gone, gamma is no longer available: nothing is selected,
  // and Enter and "Run Game" run nothing.
  std::filesystem::remove("roms/gamma.zip");
  backend.Click(70, 7).Keys("y\r").Click(70, 5);
  Run();
  EXPECT_EQ(list.SelectedEntry, 0);
  EXPECT_EQ(list.SelectedGame, 0);
  EXPECT_EQ(BackgroundAt(2, 4) + BackgroundAt(2, 5), 0);
  EXPECT_EQ(TextAt(64, 22, 16), std::string(16, ' '));
  EXPECT_EQ(backend.Resumes, 1);

  // A filter change selects the first entry.
  backend.Click(70, 9);
  Run();
  EXPECT_EQ(list.SelectedGame, 1);
  EXPECT_EQ(BackgroundAt(2, 4), 15);
}

// A held button that would change nothing has the loop wait for the next
// input; a drag over the rows and a held arrow go on acting.
TEST_F(MainLoopTest, AHeldButtonActsOnlyWhileItChangesSomething) {
  AddGames(100);
  Start();
  // On the selected row, on a caption of the panel, on the title bar.
  for (auto [column, row] : {std::pair{10, 4}, {70, 13}, {40, 1}}) {
    backend.Waits = 0;
    backend.Hold(column, row, 20);
    Run();
    EXPECT_GE(backend.Waits, 20) << "held at " << column << "," << row;
  }
  EXPECT_EQ(list.SelectedEntry, 1);

  backend.Batch({InputEvent::MouseAt(10, 4, 1)}).Batch({InputEvent::MouseAt(10, 6, 1)});
  backend.Batch({InputEvent::MouseAt(10, 9, 1)}).Batch({InputEvent::MouseAt(10, 9, 0)});
  Run();
  EXPECT_EQ(list.SelectedEntry, 6);
  EXPECT_EQ(BackgroundAt(2, 9), 15);

  backend.Hold(62, 24, 10);
  Run();
  EXPECT_GE(list.Window.TopLine, 10);
  EXPECT_EQ(backend.Pauses, std::vector<int>(list.Window.TopLine, 30));
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

using MainLoopWheelTest = MainLoopTest;

// A notch scrolls three rows at once, without the arrows' pauses.
TEST_F(MainLoopWheelTest, ANotchOnTheGamesListScrollsThreeRowsAtOnce) {
  AddGames(100);
  Start();
  backend.Click(10, 5);  // selects entry 2
  backend.Wheel(1);
  Run();
  EXPECT_EQ(list.Window.TopLine, 3);
  EXPECT_EQ(TextAt(2, 4, 5), "g0004");

  // The notches of one poll scroll three rows each in one scroll, shown
  // once; up scrolls back.
  backend.WindowTops.clear();
  backend.Wheel(2);
  Run();
  EXPECT_EQ(list.Window.TopLine, 9);
  EXPECT_EQ(backend.WindowTops, (std::vector<std::string>{"g0004", "g0010"}));
  backend.Wheel(-1);
  Run();
  EXPECT_EQ(list.Window.TopLine, 6);
  EXPECT_TRUE(backend.Pauses.empty());
  // The wheel is no click: the selection and the mouse state stay.
  EXPECT_EQ(list.SelectedEntry, 2);
  EXPECT_EQ(list.SelectedGame, 2);
  EXPECT_EQ(console.MouseButton, 0);
  EXPECT_EQ(console.MouseColumn, 10);
  EXPECT_EQ(console.MouseRow, 5);
}

TEST_F(MainLoopWheelTest, TheWheelStopsAtBothEndsAsTheArrowsDo) {
  AddGames(100);
  Start();
  backend.Special(End).Wheel(1);
  Run();
  EXPECT_EQ(list.Window.TopLine, 79);
  EXPECT_EQ(TextAt(2, 24, 5), "g0100");
  backend.Special(Up).Wheel(1);  // 78: one row left to go
  Run();
  EXPECT_EQ(list.Window.TopLine, 79);
  backend.Special(Home).Special(Down).Wheel(-1);
  Run();
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_TRUE(backend.Pauses.empty());

  // A short list does not move; an empty one does nothing at all.
  backend.Click(79, 9).Click(79, 9);  // "Missing": none
  Run();
  ASSERT_EQ(list.Window.EntryCount, 0);
  backend.Pauses.clear();
  backend.Wheel(1).Wheel(-1);
  Run();
  EXPECT_TRUE(backend.Pauses.empty());
}

TEST_F(MainLoopWheelTest, TheViewerScrollsOnlyWithAFile) {
  AddGames(100);
  std::string lines;
  for (int i = 1; i <= 30; ++i) lines += "line " + std::to_string(i) + "\r\n";
  testing_support::WriteBytes("windows.txt", lines);
  Start();
  backend.Click(79, 3);
  Run();
  ASSERT_EQ(navigation.CurrentScreen, Screen::Options);
  // The options screen: nothing moves, nothing pauses, no widget is hit.
  int top = list.Window.TopLine;
  backend.Pauses.clear();
  backend.Wheel(1).Wheel(-2);
  Run();
  EXPECT_EQ(list.Window.TopLine, top);
  EXPECT_TRUE(backend.Pauses.empty());

  backend.Click(79, 3);
  Run();
  ASSERT_EQ(navigation.CurrentScreen, Screen::Viewer);
  ASSERT_FALSE(viewer.FileLoaded);
  backend.Pauses.clear();
  backend.Wheel(1);  // on the picture: nothing
  Run();
  EXPECT_EQ(list.Window.TopLine, top);
  EXPECT_EQ(viewer.Window.TopLine, 0);
  EXPECT_TRUE(backend.Pauses.empty());
  EXPECT_EQ(TextAt(3, 6, 1), "\xDB");

  backend.Click(70, 23);  // Windows
  Run();
  ASSERT_TRUE(viewer.FileLoaded);
  backend.Wheel(1);
  Run();
  EXPECT_EQ(viewer.Window.TopLine, 3);
  EXPECT_EQ(TextAt(2, 4, 7), "line 4 ");
  backend.Wheel(3);  // 30 lines, counted as 31: the last window starts at 11
  Run();
  EXPECT_EQ(viewer.Window.TopLine, 10);
  EXPECT_EQ(TextAt(2, 23, 7), "line 30");
}

TEST_F(MainLoopWheelTest, TheWheelDoesNothingWhileAKeyIsAwaited) {
  AddGames(100);
  Start();
  // Turned while the confirmation box waits for its answer.
  backend.Keys("\x1b").Wheel(2).Keys("n");
  Run();
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_TRUE(backend.Pauses.empty());
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

using MainLoopKeysTest = MainLoopTest;

// A notch down on a list that fits in the window leaves it at its start
// (the last window would lie above the first entry).
TEST_F(MainLoopKeysTest, AWheelNotchDownOnAShortListLeavesItAtItsStart) {
  AddGames(10);
  Start();
  backend.Wheel(1).Wheel(3);
  Run();
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_EQ(TextAt(2, 4, 5), "g0001");
  EXPECT_EQ(TextAt(2, 13, 5), "g0010");
}

// A special key's code is no character: Down (code 80, "P") scrolls and
// never jumps to a game beginning with "p"; typed, "P" jumps.
TEST_F(MainLoopKeysTest, TheLetterJumpTakesCharactersOnly) {
  AddGames(100);
  Rename(30, "pacman");
  Rename(50, "hangon");  // Up is code 72, "H"
  Start();
  backend.Special(Down).Special(Down).Special(Up);
  Run();
  EXPECT_EQ(list.Window.TopLine, 1);
  backend.Keys("P");
  Run();
  EXPECT_EQ(list.Window.TopLine, 29);
}

}  // namespace
}  // namespace zeb
