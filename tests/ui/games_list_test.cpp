// The games list: the filtered rebuild, the window on the selected game and
// the page with its highlight bar and details.

#include "ui/games_list.h"

#include "frame_fixture.h"
#include "ui/frame.h"

namespace zeb {
namespace {

using testing_support::Touch;
using ui_testing::ScreenTest;

class GamesListTest : public ScreenTest {
 protected:
  void Rebuild(Filter filter) { RebuildList(list, games, settings, filter); }
  // The page with entry `selected` highlighted, `top` entries above the
  // window and `offset` columns hidden.
  void DrawPage(int selected, int top, int offset) {
    list.SelectedEntry = selected;
    list.Window.TopLine = top;
    list.Window.ColumnOffset = offset;
    DrawListPage(console, list, games, session.favourites, session.information.Machines);
  }

  // Scribbles over the detail rows, so that a test sees what the page wrote.
  void SoilDetails() {
    for (int row : {18, 20, 22, 23}) console.PutText(std::string(16, '#'), {64, row}, {4, 4});
  }
  void ExpectBlankDetails() {
    for (int row : {18, 20, 22, 23}) EXPECT_EQ(TextAt(64, row, 16), std::string(16, ' ')) << row;
  }
};

TEST_F(GamesListTest, RebuildFiltersAndCountsAvailableGames) {
  AddGame("galaga", "Galaga", "", "", "1");
  AddGame("gallag", "Gallag", "galaga", "", "0");
  AddGame("longerdriver", "Longer", "", "", "");  // hand-edited: counts, listed by neither filter
  AddGame("delta", "Delta", "", "", "1");

  Rebuild(Filter::AllGames);
  EXPECT_EQ(list.Window.EntryCount, 4);
  EXPECT_EQ(games.AvailableCount, 3);
  EXPECT_EQ(list.ListHeader.Str(), "Driver    Game Name" + std::string(43, ' '));
  EXPECT_EQ(Line(1), "galaga    Galaga");
  EXPECT_EQ(Line(3), "longerdriverLonger");
  EXPECT_EQ(list.ViewList[2].GameNumber, 2);
  EXPECT_EQ(list.ViewList[2].CloneMark, CloneKind::Clone);
  EXPECT_EQ(list.ViewList[1].CloneMark, CloneKind::Parent);

  Rebuild(Filter::Available);
  EXPECT_EQ(list.Window.EntryCount, 2);
  EXPECT_EQ(list.ViewList[2].GameNumber, 4);
  // Rows of the longer list are emptied.
  EXPECT_TRUE(Line(3).empty());
  EXPECT_TRUE(Line(4).empty());

  Rebuild(Filter::Missing);
  EXPECT_EQ(list.Window.EntryCount, 1);
  EXPECT_EQ(Line(1), "gallag    Gallag");
}

TEST_F(GamesListTest, NatodefaRunsFromTheArchiveOfNatodef) {
  AddGame("natodef", "Nato Defense", "", "", "0");
  AddGame("natodefa", "Nato Defense (alternate)", "natodef", "", "0");
  AddGame("natodefax", "Not the one", "", "", "0");
  Rebuild(Filter::AllGames);
  EXPECT_EQ(games.Games[2].Available, "0");

  Touch("roms/natodef.zip");
  Rebuild(Filter::Available);
  EXPECT_EQ(games.Games[1].Available, "0");  // the rebuild never scans natodef itself
  EXPECT_EQ(games.Games[2].Available, "1");
  EXPECT_EQ(games.Games[3].Available, "0");
  EXPECT_EQ(games.AvailableCount, 1);
  EXPECT_EQ(list.Window.EntryCount, 1);

  // The rebuild only ever sets "1": a lost archive is left to the scan.
  std::filesystem::remove("roms/natodef.zip");
  Rebuild(Filter::AllGames);
  EXPECT_EQ(games.Games[2].Available, "1");
}

TEST_F(GamesListTest, WindowShowsTheSelectedEntryOnItsFirstRow) {
  AddGames(1500);
  Rebuild(Filter::AllGames);
  list.SelectedGame = 1200;
  EXPECT_EQ(PlaceWindow(list), 1199);
  list.SelectedGame = 1495;
  EXPECT_EQ(PlaceWindow(list), 1479);  // the last full window
  list.SelectedGame = 1479;
  EXPECT_EQ(PlaceWindow(list), 1478);

  // The entry's position decides, not the game number.
  AddGames(2500);
  for (int game = 1; game <= 1300; ++game) games.Games[game].Available = "0";
  Rebuild(Filter::Available);
  list.SelectedGame = 2500;  // entry 1200 of the available games
  EXPECT_EQ(PlaceWindow(list), 1199);
  // A game that the filter leaves out: the last full window.
  Rebuild(Filter::Missing);
  EXPECT_EQ(PlaceWindow(list), 1300 - 21);
}

TEST_F(GamesListTest, AListOfMoreThan5000GamesIsListedAndPlacedWhole) {
  AddGames(9000);
  for (int game = 1; game <= 9000; game += 2) games.Games[game].Available = "0";
  Rebuild(Filter::AllGames);
  EXPECT_EQ(list.Window.EntryCount, 9000);
  EXPECT_EQ(Line(9000), "g9000     Game 9000");
  EXPECT_EQ(games.AvailableCount, 4500);

  // The missing games: entries past the shorter list are emptied up to the
  // last game, and none past it were ever filled.
  Rebuild(Filter::Missing);
  EXPECT_EQ(list.Window.EntryCount, 4500);
  EXPECT_EQ(list.ViewList[4500].GameNumber, 8999);
  for (int e : {4501, 7000, 9000}) EXPECT_TRUE(Line(e).empty()) << e;
  EXPECT_LE(list.ViewList.Used(), 9000);

  list.SelectedGame = 8997;  // entry 4499
  EXPECT_EQ(PlaceWindow(list), 4500 - 21);
  DrawPage(4499, PlaceWindow(list), 0);
  EXPECT_EQ(TextAt(2, 24, 15), "g8999     Game ");
  EXPECT_EQ(TextAt(2, 23, 15), "g8997     Game ");
  EXPECT_EQ(AttrAt(2, 23), 0 + 16 * 15);
}

TEST_F(GamesListTest, ShortListShowsFromItsFirstEntryWithTheBarInTheRowColour) {
  AddGames(15);
  games.Games[12].CloneOf = "g0011";
  Rebuild(Filter::AllGames);
  list.SelectedGame = 12;
  EXPECT_EQ(PlaceWindow(list), 0);
  DrawPage(12, PlaceWindow(list), 0);
  EXPECT_EQ(TextAt(2, 4, 60), "g0001     Game 1" + std::string(44, ' '));
  EXPECT_EQ(TextAt(2, 18, 17), "g0015     Game 15");
  for (int row = 19; row <= 24; ++row) EXPECT_EQ(TextAt(2, row, 60), std::string(60, ' ')) << row;

  // The selected clone is black on light grey, a parent white on black.
  EXPECT_EQ(AttrAt(2, 15), 0 + 16 * 7);
  EXPECT_EQ(AttrAt(61, 15), 0 + 16 * 7);
  EXPECT_EQ(AttrAt(2, 14), 15);
  DrawPage(11, 0, 0);
  EXPECT_EQ(AttrAt(30, 14), 0 + 16 * 15);  // selected parent: black on white
  EXPECT_EQ(AttrAt(30, 15), 7);            // clone: light grey on black
}

TEST_F(GamesListTest, ColumnOffsetHidesTheStartOfEveryRow) {
  AddGame("pacman", "Pac-Man");
  AddGame("a", std::string(80, 'x') + "END");
  Rebuild(Filter::AllGames);

  FillBox(console, Fill::Shaded, {1, 3}, {80, 3}, {15, 1});
  DrawPage(1, 0, 10);
  EXPECT_EQ(TextAt(2, 3, 52), "Game Name" + std::string(43, ' '));
  EXPECT_EQ(TextAt(54, 3, 1), "\xB1");  // the heading is not padded to 60
  EXPECT_EQ(AttrAt(2, 3), 0 + 16 * 10);
  EXPECT_EQ(TextAt(2, 4, 60), "Pac-Man" + std::string(53, ' '));
  EXPECT_EQ(TextAt(2, 5, 60), std::string(60, 'x'));

  DrawPage(1, 0, -3);
  EXPECT_EQ(TextAt(2, 3, 6), "Driver");
  EXPECT_EQ(TextAt(2, 4, 16), "pacman    Pac-Ma");
}

TEST_F(GamesListTest, DetailsShowCloneCheatsAndBothCategories) {
  AddGame("galaga", "Galaga", "", "Shooter / Flying Vertical", "1", "12");
  AddGame("gallag", "Gallag", "galaga", "Puzzle", "1", "");
  AddGame("noname", "No Name", "", "", "1", "3");
  AddGame("odd", "Odd", "", "Sports /", "1", "");
  Rebuild(Filter::AllGames);

  SoilDetails();
  DrawPage(1, 0, 0);
  EXPECT_EQ(TextAt(64, 18, 16), std::string(14, ' ') + "##");
  EXPECT_EQ(TextAt(64, 20, 16), "12  ############");
  EXPECT_EQ(TextAt(64, 22, 16), "Shooter        #");
  EXPECT_EQ(TextAt(64, 23, 16), "Flying Vertical ");
  EXPECT_EQ(AttrAt(64, 23), 15);

  SoilDetails();
  DrawPage(2, 0, 0);
  EXPECT_EQ(TextAt(64, 18, 16), "galaga        ##");
  EXPECT_EQ(TextAt(64, 20, 16), std::string(15, ' ') + "#");
  EXPECT_EQ(TextAt(64, 22, 16), "Puzzle         #");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(15, ' ') + "#");

  SoilDetails();
  DrawPage(3, 0, 0);
  EXPECT_EQ(TextAt(64, 22, 16), std::string(15, ' ') + "#");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(15, ' ') + "#");

  // A slash at the very end leaves an empty subcategory.
  SoilDetails();
  DrawPage(4, 0, 0);
  EXPECT_EQ(TextAt(64, 22, 16), "Sports         #");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(16, ' '));
}

TEST_F(GamesListTest, EmptyListOrASelectionBeyondItBlanksTheDetails) {
  AddGame("galaga", "Galaga", "", "Shooter", "1", "12");
  Rebuild(Filter::AllGames);
  DrawPage(1, 0, 0);
  Rebuild(Filter::Missing);
  ASSERT_EQ(list.Window.EntryCount, 0);
  SoilDetails();
  DrawPage(1, 0, 0);
  for (int row = 4; row <= 24; ++row) EXPECT_EQ(TextAt(2, row, 60), std::string(60, ' ')) << row;
  EXPECT_EQ(BackgroundAt(2, 4), 0);  // no bar
  ExpectBlankDetails();

  // A refresh may leave the selection beyond a shorter list.
  AddGames(30);
  Rebuild(Filter::AllGames);
  SoilDetails();
  DrawPage(45, 0, 0);
  ExpectBlankDetails();
  for (int row = 4; row <= 24; ++row) EXPECT_EQ(BackgroundAt(2, row), 0) << row;
}

}  // namespace
}  // namespace zeb
