// The games list in a real terminal on the demo data: the first screen,
// selecting with the mouse, the filter, scrolling, quitting.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

int CountArchives(const TempDir& dir) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("roms"))) n += entry.is_regular_file();
  return n;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void Quit(TmuxSession& term) {
  EXPECT_EQ(QuitWithEscape(term), 0);
  EXPECT_EQ(term.Query("#{alternate_on}#{cursor_flag}#{mouse_any_flag}#{mouse_button_flag}"), "0100");
}

TEST(GamesList, FirstScreenLayout) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  auto lines = term.Lines();
  auto ini = FileLines(dir.File("zeb.ini"));
  int games = std::stoi(ini[0]);
  int available = CountArchives(dir);

  EXPECT_EQ(lines[0].rfind("X Z.E.B. Zestful Game Launcher v1.1", 0), 0u);
  EXPECT_NE(lines[0].find("X.E.M. 0.37b9"), std::string::npos);
  EXPECT_EQ(term.At(1, 1).Foreground, 15);
  EXPECT_EQ(term.At(1, 1).Background, 12);
  EXPECT_EQ(term.At(3, 1).Foreground, 0);
  EXPECT_EQ(term.At(3, 1).Background, 15);

  // The panel's counts are those of the imported lists and the archives
  // present, on the black box without padding (the panel's other cells are
  // checked on the screen model).
  auto expectCount = [&](int row, int count) {
    std::string digits = std::to_string(count);
    int after = 64 + static_cast<int>(digits.size());
    EXPECT_EQ(term.Text(64, row, static_cast<int>(digits.size())), digits) << row;
    EXPECT_EQ(term.At(after, row).Background, 0) << row;  // the black box
  };
  expectCount(12, games);
  expectCount(14, available);
  expectCount(16, games - available);

  // Heading and the 21 list rows of the demo's games.
  EXPECT_EQ(term.Text(2, 3, 19), "Driver    Game Name");
  EXPECT_EQ(term.At(2, 3).Foreground, 0);
  EXPECT_EQ(term.At(2, 3).Background, 10);
  EXPECT_EQ(term.Text(2, 4, 27), "astrobee  Astro Bee (World)");
  EXPECT_EQ(term.At(2, 4).Foreground, 0);  // the highlight bar of a parent
  EXPECT_EQ(term.At(2, 4).Background, 15);
  EXPECT_EQ(term.Text(2, 5, 27), "astrobej  Astro Bee (Japan)");
  EXPECT_EQ(term.At(2, 5).Foreground, 7);  // a clone
  EXPECT_EQ(term.At(2, 5).Background, 0);
  EXPECT_FALSE(Trimmed(term.Text(2, 24, 60)).empty());
  Quit(term);
}

TEST(GamesList, ClickSelectsARowAndShowsItsDetails) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Click(10, 5);  // astrobej, a clone of astrobee
  ASSERT_TRUE(term.WaitForColours(2, 5, 0, 7));  // the highlight bar of a clone
  EXPECT_EQ(term.At(2, 4).Background, 0);
  EXPECT_EQ(term.Text(64, 18, 14), "astrobee      ");
  EXPECT_EQ(term.Text(64, 22, 15), "Shooter        ");
  EXPECT_EQ(term.Text(64, 23, 16), "Flying Vertical ");
  Quit(term);
}

TEST(GamesList, FilterButtonCyclesTheThreeFilters) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  int available = CountArchives(dir);

  term.Click(79, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   Available  \u25BA"));
  // Every listed game has its archive (the list is drawn after the button).
  ASSERT_TRUE(term.WaitForText(2, 5, "barnstrj"));
  int shown = 0;
  for (int row = 4; row <= 24; ++row) {
    std::string driver = Trimmed(term.Text(2, row, 10));
    if (driver.empty()) continue;
    ++shown;
    EXPECT_TRUE(Exists(dir.File("roms/" + driver.substr(0, driver.find(' ')) + ".zip"))) << driver;
  }
  EXPECT_EQ(shown, std::min(21, available));

  term.Click(79, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4    Missing   \u25BA"));
  ASSERT_TRUE(term.WaitForText(2, 5, "beetroot"));
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobej"));
  term.Click(64, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   Available  \u25BA"));
  term.Click(64, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   All Games  \u25BA"));
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobee"));
  Quit(term);
}

TEST(GamesList, DownAndEndScroll) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Send("\x1b[B");
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobej"));
  term.Send("\x1b[F");
  ASSERT_TRUE(term.WaitForText(2, 24, "zigzagzb  Zig Zag Zebra"));
  term.Send("\x1b[H");
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobee"));
  // The held outer down arrow scrolls to the last window and stops.
  term.Press(62, 25);
  ASSERT_TRUE(term.WaitForText(2, 24, "zigzagzb"));
  term.Release(62, 25);
  Quit(term);
}

TEST(GamesList, WheelScrollsThreeRowsANotchAndNeverClicks) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  std::string fourth = term.Text(2, 7, 27);
  std::string seventh = term.Text(2, 10, 27);
  ASSERT_FALSE(Trimmed(seventh).empty());

  // One notch down over row 10, as the terminal reports it.
  term.Send("\x1b[<65;30;10M");
  ASSERT_TRUE(term.WaitForText(2, 4, fourth));
  EXPECT_EQ(term.Text(2, 7, 27), seventh);
  // Two notches up in one write (the second with Ctrl held): back at the top,
  // where the window stops.
  term.Send("\x1b[<64;30;10M\x1b[<80;30;10M");
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobee  Astro Bee (World)"));
  // The selection is still the first game: nothing under the pointer was
  // clicked.
  EXPECT_EQ(term.At(2, 4).Background, 15);
  EXPECT_EQ(term.At(2, 10).Background, 0);
  EXPECT_EQ(term.Text(2, 7, 27), fourth);
  Quit(term);
}

// The search from "/" to the end of the program: the typed word narrows the
// list, Enter runs the first match, and the search outlasts the game.
TEST(GamesList, SearchNarrowsRunsTheFirstMatchAndEscClosesItThenQuits) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Send("/");
  ASSERT_TRUE(term.WaitForText(2, 3, "Search: "));
  term.Send("hopper");  // "Cloud Hopper": the case of a letter does not matter
  ASSERT_TRUE(term.WaitForText(2, 3, "Search: hopper "));
  auto expectMatches = [&] {
    EXPECT_TRUE(WaitUntil([&] { return Trimmed(term.Text(2, 6, 60)).empty(); }));  // the list's last change
    EXPECT_EQ(term.Text(2, 4, 30), "cloudhop  Cloud Hopper (set 1)");
    EXPECT_EQ(term.Text(2, 5, 30), "cloudhp2  Cloud Hopper (set 2)");
  };
  expectMatches();
  EXPECT_EQ(term.Query("#{cursor_flag} #{cursor_x},#{cursor_y}"), "1 15,2");  // after the text

  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[cloudhop] [-w] [-c]\n");
  term.Send("k");
  ASSERT_TRUE(term.WaitForText(2, 3, "Search: hopper "));
  expectMatches();
  EXPECT_EQ(term.At(2, 4).Background, 15);  // still selected

  term.Send("\x1b");
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_TRUE(WaitUntil([&] { return !Trimmed(term.Text(2, 24, 60)).empty(); }));  // a full window again
  // The selected game stays in the window, highlighted.
  EXPECT_TRUE(WaitUntil([&] {
    for (int row = 4; row <= 24; ++row) {
      if (term.Text(2, row, 30) == "cloudhop  Cloud Hopper (set 1)") return term.At(2, row).Background == 15;
    }
    return false;
  }));
  Quit(term);
  ExpectTerminalRestored(term);
}

// A filter word and a plain word, Down to the second match, Enter runs it;
// F2 marks it a favourite. After a quit and a new start, is:favourite and
// is:played list it.
TEST(GamesList, FilterWordsPickAFavouriteAndTheGamesPlayedOutlastAQuit) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  {
    TmuxSession term(dir.Path(), ZebBinary());
    ASSERT_TRUE(WaitForGamesList(term));
    term.Send("/is:available barnstorm");
    ASSERT_TRUE(term.WaitForText(2, 3, "Search: is:available barnstorm "));
    ASSERT_TRUE(term.WaitForText(2, 5, "barnstrj  Barnstorm Brigade (Japan"));
    EXPECT_EQ(term.Text(2, 4, 28), "barnstrm  Barnstorm Brigade ");  // the parent first
    term.Send("\x1b[B");  // Down: the next match
    ASSERT_TRUE(term.WaitForColours(2, 5, 0, 7));  // a clone's highlight
    ASSERT_TRUE(LaunchSelectedGame(term));
    EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[barnstrj] [-w] [-c]\n");
    term.Send("k");
    ASSERT_TRUE(term.WaitForText(2, 3, "Search: is:available barnstorm "));
    term.Send("\x1bOQ");  // F2
    ASSERT_TRUE(WaitUntil([&] { return Exists(dir.File("zeb-favourites.txt")); }));
    EXPECT_TRUE(term.WaitForColours(2, 5, 0, 6));  // the favourite clone's highlight: black on brown
    EXPECT_EQ(ReadBytes(dir.File("zeb-favourites.txt")), "barnstrj\r\n");
    term.Send("\x1b");  // Esc closes the search first
    ASSERT_TRUE(term.WaitForText(2, 3, "Driver    Game Name"));
    EXPECT_EQ(QuitWithEscape(term), 0);
  }
  EXPECT_EQ(ReadBytes(dir.File("zeb-played.txt")).rfind("barnstrj ", 0), 0u);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  for (const std::string word : {"is:favourite", "is:played"}) {
    term.Send("/" + word);
    ASSERT_TRUE(term.WaitForText(2, 3, "Search: " + word + " "));
    ASSERT_TRUE(term.WaitForText(2, 4, "barnstrj  ")) << word;
    EXPECT_TRUE(WaitUntil([&] { return Trimmed(term.Text(2, 5, 60)).empty(); })) << word << " lists one game";
    term.Send("\x1b");
    ASSERT_TRUE(term.WaitForText(2, 3, "Driver    Game Name"));
  }
  EXPECT_EQ(QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::e2e
