// The search of the games list: its heading, the matches it narrows the
// list to, the keys and clicks on them, and the ways it closes.

#include <algorithm>

#include "console/keys.h"
#include "frame_fixture.h"

namespace zeb {
namespace {

using testing_support::Touch;
using ui_testing::ScreenTest;

constexpr unsigned char F3 = Key::F1 + 2;

class SearchTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    AddGames(60);  // g0001 to g0060, "Game 1" to "Game 60", every third missing
    for (int game = 3; game <= 60; game += 3) games.Games[game].Available = "0";
    AddGame("pacman", "Pac-Man", "", "Maze / Pac", "1");  // 61
    AddGame("puckman", "Puck Man", "pacman", "Maze", "1");
    AddGame("hangly", "Hangly-PAC", "pacman", "Maze", "0");
    AddGame("mspacman", "Ms. Pac-Man", "", "Maze / Pac", "1");  // 64
    Start();
    console.HideCursor();  // as the start-up leaves it
  }

  // Runs the loop on the queued script until it runs out.
  void Play() { EXPECT_THROW(MainLoop(session), ScriptEnded); }

  std::string Heading() const { return TextAt(2, 3, 60); }
  static std::string Padded(std::string text) {
    text.resize(60, ' ');
    return text;
  }
};

TEST_F(SearchTest, SlashOrF3OpensItInTheHeadingWithTheCursorAfterTheText) {
  backend.Special(Key::Down).Special(Key::Down).Click(10, 6);  // the window and the selection moved
  Play();
  const ScreenModel before = console.Screen;
  backend.Keys("/");
  Play();
  EXPECT_EQ(Heading(), Padded("Search: "));
  for (int column = 2; column <= 61; ++column) EXPECT_EQ(AttrAt(column, 3), 0 + 16 * 10) << column;
  // Nothing else changed; the cursor shows after the text.
  ScreenModel expected = before;
  std::copy(&console.Screen.Cells[2][1], &console.Screen.Cells[2][61], &expected.Cells[2][1]);
  expected.CursorVisible = true;
  expected.CursorColumn = 10;
  expected.CursorRow = 3;
  EXPECT_TRUE(SameScreen(expected, console.Screen));

  backend.Keys("\x1b").Special(F3).Keys("Pa");
  Play();
  EXPECT_EQ(Heading(), Padded("Search: Pa"));
  EXPECT_EQ(console.Screen.CursorColumn, 12);
}

TEST_F(SearchTest, TypingNarrowsTheFiltersListToTheMatchesFromTheTop) {
  // "m" is in every "Game"; its letter jump would go to mspacman, far down.
  backend.Special(Key::End).Keys("/m");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 63);
  EXPECT_EQ(list.Window.TopLine, 0);

  // Driver name or description, the case of the letters ignored, the best
  // match first: a driver name that begins with it, then descriptions in
  // which it begins a word (the parent before the clone).
  backend.Keys("\bpAC");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 3);
  EXPECT_EQ(TextAt(2, 4, 20), "pacman    Pac-Man   ");
  EXPECT_EQ(TextAt(2, 5, 20), "mspacman  Ms. Pac-Ma");
  EXPECT_EQ(TextAt(2, 6, 20), "hangly    Hangly-PAC");
  EXPECT_EQ(TextAt(2, 7, 60), std::string(60, ' '));
  EXPECT_EQ(list.SelectedGame, 61);
  EXPECT_EQ(BackgroundAt(2, 4), 15);
  EXPECT_EQ(TextAt(64, 23, 3), "Pac");

  // Within the filter; at most 50 characters; no match, nothing to run.
  Touch("roms/pacman.zip");
  MakeQuietEmulator();
  backend.Keys("\x1b").Click(79, 9).Keys("/pAC");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 2);
  EXPECT_EQ(TextAt(2, 5, 8), "mspacman");
  backend.Keys(std::string(50, 'x') + "\r").Click(70, 5);
  Play();
  EXPECT_EQ(Heading(), Padded("Search: pAC" + std::string(47, 'x')));
  EXPECT_EQ(list.Window.EntryCount, 0);
  EXPECT_EQ(TextAt(2, 4, 60), std::string(60, ' '));
  EXPECT_EQ(TextAt(64, 23, 3), "   ");
  EXPECT_EQ(backend.Resumes, 0);
}

TEST_F(SearchTest, KeysWheelClicksAndTheFilterActOnTheMatches) {
  backend.Keys("/game").Special(Key::End);
  Play();
  ASSERT_EQ(list.Window.EntryCount, 60);
  EXPECT_EQ(list.Window.TopLine, 39);
  // The keys pick a match; the wheel and the arrows move the window only.
  EXPECT_EQ(list.SelectedEntry, 60);
  backend.Special(Key::Up).Wheel(-1);
  Play();
  EXPECT_EQ(list.SelectedEntry, 59);
  EXPECT_EQ(list.Window.TopLine, 36);
  backend.Special(Key::Home).Special(Key::Down).Click(62, 24).Click(10, 6);
  Play();
  EXPECT_EQ(list.Window.TopLine, 1);
  EXPECT_EQ(list.SelectedGame, 4);

  backend.Click(79, 9);  // "Available"
  Play();
  EXPECT_EQ(list.Window.EntryCount, 40);
  EXPECT_EQ(list.SelectedEntry, 1);
  EXPECT_EQ(list.SelectedGame, 1);
  EXPECT_EQ(Heading(), Padded("Search: game"));
}

TEST_F(SearchTest, EnterRunsTheSelectedMatchAndTheSearchStays) {
  Touch("roms/mspacman.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  backend.Keys("/pac").Click(10, 5).Keys("\r");
  Play();
  EXPECT_EQ(testing_support::ReadBytes("launch.log").substr(0, 10), "[mspacman]");
  EXPECT_EQ(Heading(), Padded("Search: pac"));
  EXPECT_EQ(list.Window.EntryCount, 3);
  EXPECT_EQ(BackgroundAt(2, 5), 15);
  EXPECT_TRUE(console.Screen.CursorVisible);
}

TEST_F(SearchTest, EscBackspaceRefreshAndLeavingTheListCloseIt) {
  // Esc: the whole list, the selected game in the window.
  backend.Keys("/pac").Click(10, 5).Keys("\x1b");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 64);
  EXPECT_EQ(list.Window.TopLine, 43);
  EXPECT_EQ(TextAt(2, 24, 8), "mspacman");
  EXPECT_EQ(BackgroundAt(2, 24), 15);
  EXPECT_EQ(Heading().substr(0, 20), "Driver    Game Name ");
  EXPECT_FALSE(console.Screen.CursorVisible);
  backend.Keys("\x1b");  // closed, Esc asks
  Play();
  EXPECT_EQ(TextAt(31, 13, 19), "Are You Sure (Y/N)?");

  // Backspace removes a character; on an empty text it closes.
  backend.Keys("n/pacx\b");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 3);
  backend.Keys("\b\b\b");
  Play();
  EXPECT_EQ(Heading(), Padded("Search: "));
  EXPECT_EQ(list.Window.EntryCount, 64);
  backend.Keys("\b");
  Play();
  EXPECT_FALSE(list.Search.Open);

  backend.Keys("/pac").Click(70, 7).Keys("y");  // Refresh List!
  Play();
  EXPECT_FALSE(list.Search.Open);
  EXPECT_EQ(list.Window.EntryCount, 64);
  backend.Keys("/pac").Click(79, 3).Click(64, 3);  // to the options and back
  Play();
  EXPECT_FALSE(list.Search.Open);
  EXPECT_EQ(Heading().substr(0, 6), "Driver");
  EXPECT_EQ(list.Window.EntryCount, 64);
}

}  // namespace
}  // namespace zeb
