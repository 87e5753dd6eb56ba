// The search on the games list as the user meets it: ranked matches, filter
// words, the keys that pick a match, favourites (F2) and the games played.

#include <filesystem>

#include "console/keys.h"
#include "frame_fixture.h"
#include "search/favourites.h"
#include "search/played_games.h"
#include "app/startup.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::Touch;
using testing_support::WriteBytes;
using ui_testing::ScreenTest;

constexpr unsigned char F2 = Key::F1 + 1;

class SearchPicksTest : public ScreenTest {
 protected:
  // Runs the loop on the queued script until it runs out.
  void Play() { EXPECT_THROW(MainLoop(session), ScriptEnded); }
  std::string Heading() const { return TextAt(2, 3, 60); }
  std::string RowName(int row) const {
    std::string text = TextAt(2, row, 10);
    return text.substr(0, text.find(' '));
  }
  // The machine information of game `game`.
  MachineSummary& Info(int game) {
    machines.ByGame.resize(static_cast<std::size_t>(games.GameCount) + 1);
    machines.Named.resize(static_cast<std::size_t>(games.GameCount) + 1, false);
    machines.Named[static_cast<std::size_t>(game)] = true;
    return machines.ByGame[static_cast<std::size_t>(game)];
  }
  GameMachines& machines = session.information.Machines;
};

// The game asked for comes first, and the keys pick among the matches.
TEST_F(SearchPicksTest, TheBestMatchFirstAndTheKeysPickAMatch) {
  AddGame("25pacman", "Pac-Man 25");
  AddGame("bfpacman", "Bug Fixed Pacman");
  AddGames(40);  // g0001 to g0040, "Game 1" to "Game 40"
  AddGame("pacman", "Pac-Man");
  AddGame("pacplus", "Pac-Man Plus");
  Touch("roms/pacplus.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  Start();
  backend.Keys("/pac-man");
  Play();
  // The name itself, then descriptions that begin so (in the list's
  // order), then one in which it begins a word.
  EXPECT_EQ(RowName(4), "pacman");
  EXPECT_EQ(RowName(5), "25pacman");
  EXPECT_EQ(RowName(6), "pacplus");
  EXPECT_EQ(RowName(7), "bfpacman");
  EXPECT_EQ(list.Window.EntryCount, 4);
  EXPECT_EQ(list.SelectedGame, 43);
  // Down picks the next match; the highlight and the panel follow; Enter
  // runs the game picked.
  backend.Special(Key::Down).Special(Key::Down).Keys("\r");
  Play();
  EXPECT_EQ(list.SelectedGame, 44);
  EXPECT_EQ(BackgroundAt(2, 6), 15);
  EXPECT_EQ(ReadBytes("launch.log").substr(0, 9), "[pacplus]");

  // On a list longer than the window the window follows the pick.
  backend.Keys("\x1b/game").Special(Key::End);
  Play();
  ASSERT_EQ(list.Window.EntryCount, 40);
  EXPECT_EQ(list.SelectedEntry, 40);
  EXPECT_EQ(list.Window.TopLine, 19);
  EXPECT_EQ(BackgroundAt(2, 24), 15);
  backend.Special(Key::PageUp);
  Play();
  EXPECT_EQ(list.SelectedEntry, 19);
  EXPECT_EQ(list.Window.TopLine, 18);
  backend.Special(Key::Home).Special(Key::Up).Special(Key::PageDown).Special(Key::Down);
  Play();
  EXPECT_EQ(list.SelectedEntry, 23);
  EXPECT_EQ(list.Window.TopLine, 2);
  EXPECT_EQ(TextAt(64, 18, 4), "    ");  // the panel shows the pick's details
}

// Words match in any order and any case, punctuation ignored, every word
// must hold; a "-" negates; filter words read the machine information.
TEST_F(SearchPicksTest, WordsAndFilterWordsWithTheirNegation) {
  AddGame("galaga", "Galaga");                         // 1
  AddGame("gallag", "Gallag", "galaga");               // 2
  AddGame("xevious", "Xevious (Namco)");               // 3
  AddGame("zaxxon", "Zaxxon", "", "Shooter / Flying");  // 4
  const auto describe = [this](int game, const char* year, const char* maker, DriverStatus status, int players) {
    MachineSummary& summary = Info(game);
    summary.Year = year;
    summary.Manufacturer = maker;
    summary.Status = status;
    summary.Players = players;
  };
  describe(1, "1981", "Namco", DriverStatus::Good, 2);
  describe(2, "1981", "bootleg", DriverStatus::Imperfect, 0);
  describe(3, "1982", "Namco", DriverStatus::Preliminary, 1);
  describe(4, "198?", "Sega", DriverStatus::Unknown, 0);
  Start();
  const auto found = [this](const std::string& text) {
    backend.Keys("/" + text);
    Play();
    std::string names;
    for (int e = 1; e <= list.Window.EntryCount; ++e) names += Line(e).substr(0, Line(e).find(' ')) + " ";
    backend.Keys("\x1b");
    Play();
    return names;
  };
  EXPECT_EQ(found("year:1981"), "galaga gallag ");
  EXPECT_EQ(found("year:1980-1990 -is:clone"), "galaga xevious ");  // 198? is no year
  EXPECT_EQ(found("maker:namco is:working"), "galaga ");
  EXPECT_EQ(found("-maker:namco players:2"), "");
  EXPECT_EQ(found("namco xevious"), "xevious ");
  EXPECT_EQ(found("-gal"), "xevious zaxxon ");
  EXPECT_EQ(found("cat:flying"), "zaxxon ");
  // The whole alphabet folds: a capital Z in a query, in a name.
  EXPECT_EQ(found("ZAXX"), "zaxxon ");
  games.Games[4].DriverName = "Zaxxon";
  EXPECT_EQ(found("zax"), "Zaxxon ");
}

// A character of 128 to 255 narrows as any letter does.
TEST_F(SearchPicksTest, ACharacterAbove127NarrowsTheList) {
  AddGame("attache", "Attache Case");
  AddGame("attachea", "Attach\x82 Case (alternate)");
  Start();
  backend.Keys("/attach");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 2);
  backend.Keys("\x82");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 1);
  EXPECT_EQ(RowName(4), "attachea");
  EXPECT_EQ(Heading(), std::string("Search: attach\x82") + std::string(45, ' '));
}

// Closing a search that found nothing gives the whole list back from its
// first row, however far down the selection was before.
TEST_F(SearchPicksTest, ClosingASearchThatFoundNothingShowsTheListFromItsStart) {
  AddGames(60);
  Start();
  backend.Click(10, 24).Special(Key::End).Keys("/nothing at all\x1b");
  Play();
  EXPECT_FALSE(list.Search.Open);
  EXPECT_EQ(list.Window.EntryCount, 60);
  EXPECT_EQ(list.Window.TopLine, 0);
  EXPECT_EQ(RowName(4), "g0001");
}

// F2 marks the selected game and takes the mark away; the file is written
// at each change; the row shows the mark in yellow, also highlighted.
TEST_F(SearchPicksTest, F2MarksAFavouriteKeptInItsFile) {
  AddGames(30);
  favourites.Load(FavouritesFileName);
  Start();
  backend.Click(10, 6).Special(F2);
  Play();
  EXPECT_EQ(ReadBytes(FavouritesFileName), "g0003\r\n");
  EXPECT_EQ(AttrAt(2, 6), 0 + 16 * 14);  // black on yellow in the highlight
  backend.Click(10, 4);
  Play();
  EXPECT_EQ(AttrAt(2, 6), 14);  // yellow on black
  backend.Keys("/is:favourite");
  Play();
  EXPECT_EQ(list.Window.EntryCount, 1);
  EXPECT_EQ(RowName(4), "g0003");
  backend.Special(F2).Keys("\x1b");
  Play();
  EXPECT_EQ(ReadBytes(FavouritesFileName), "");
  EXPECT_EQ(AttrAt(2, 6), 15);

  // A file that cannot be written: the mark holds for the run, and a line
  // says why until the next key.
  std::filesystem::remove(FavouritesFileName);
  std::filesystem::create_directory(FavouritesFileName);
  backend.Special(F2);
  Play();
  EXPECT_TRUE(favourites.Contains("g0003"));
  EXPECT_NE(TextAt(2, 25, 60).find("zeb-favourites.txt"), std::string::npos) << TextAt(2, 25, 60);
  backend.Special(Key::Down);
  Play();
  EXPECT_EQ(TextAt(2, 25, 1), "\x11");  // the scroll bar again
}

// Each launch that ran the emulator is recorded; is:played lists the games
// played, the most recent first.
TEST_F(SearchPicksTest, GamesPlayedAreRecordedAndListedMostRecentFirst) {
  AddGames(10);
  WriteBytes(PlayedGamesFileName, "g0002 100 1\r\ng0007 200 3\r\nnotatable 300 1\r\n\x01\x02 binary\r\n");
  played.Load(PlayedGamesFileName);
  Touch("roms/g0005.zip");
  MakeQuietEmulator();
  settings.PauseAfterMame = 0;
  Start();
  backend.Keys("/is:played");
  Play();
  EXPECT_EQ(RowName(4), "g0007");
  EXPECT_EQ(RowName(5), "g0002");
  backend.Keys("\x1b").Click(10, 8).Keys("\r/is:played");
  Play();
  EXPECT_EQ(RowName(4), "g0005");
  EXPECT_EQ(list.Window.EntryCount, 3);
  const std::string file = ReadBytes(PlayedGamesFileName);
  EXPECT_EQ(file.rfind("g0005 ", 0), 0u) << file;
  EXPECT_NE(file.find("notatable 300 1\r\n"), std::string::npos) << "a name not in the table is kept";
  EXPECT_EQ(file.find("binary"), std::string::npos);
  // A launch that did not run records nothing.
  std::filesystem::remove("mame.exe");
  Touch("roms/g0001.zip");
  backend.Keys("\x1b").Click(10, 4).Keys("\r ");
  Play();
  EXPECT_EQ(ReadBytes(PlayedGamesFileName), file);
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

// A side file read in part: the start keeps what it could read and says
// once what it left out; zeb.ini is not touched.
TEST_F(SearchPicksTest, ADamagedSideFileIsReadInPartAndSaidSo) {
  AddGames(5);
  SaveSettings(settings, games);
  const std::string saved = ReadBytes("zeb.ini");
  WriteBytes(FavouritesFileName, "g0002\r\n" + std::string(600, 'x') + "\r\nbad\x01name\r\nnotatable\r\n");
  StartSession(session);
  EXPECT_TRUE(favourites.Contains("g0002"));
  EXPECT_TRUE(favourites.Contains("notatable"));
  EXPECT_EQ(TextAt(2, 25, 56), "zeb-favourites.txt: 2 lines naming no game left out" + std::string(5, ' '));

  EXPECT_EQ(ReadBytes("zeb.ini"), saved);
}

}  // namespace
}  // namespace zeb
