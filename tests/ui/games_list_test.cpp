// The games list: the filtered rebuild, the window on the selected game and
// the page with its highlight bar and details.

#include "ui/games_list.h"

#include "ui/frame.h"

#include "frame_fixture.h"

namespace zeb {
namespace {

using ui_testing::ScreenTest;

class GamesListTest : public ScreenTest {
 protected:
  // Scribbles over the detail rows, so that a test sees what the page wrote.
  static void SoilDetails() {
    for (int row : {18, 20, 22, 23}) PutText(std::string(16, '#'), 64, row, 4, 4);
  }
};

TEST_F(GamesListTest, RebuildFiltersAndCountsAvailableGames) {
  AddGame("alpha", "Alpha", "", "", "1");
  AddGame("beta", "Beta", "alpha", "", "0");
  AddGame("gamma", "Gamma", "", "", "");  // hand-edited: counts, but neither filter lists it
  AddGame("delta", "Delta", "", "", "1");

  RebuildList(1);
  EXPECT_EQ(EntryCount, 4);
  EXPECT_EQ(AvailableCount, 3);
  EXPECT_EQ(ListHeader.Str(), "Driver    Game Name" + std::string(43, ' '));
  EXPECT_EQ(ViewList[2].DisplayLine, "beta      Beta");
  EXPECT_EQ(ViewList[2].GameNumber, "2");
  EXPECT_EQ(ViewList[2].CloneMark, "1");
  EXPECT_EQ(ViewList[1].CloneMark, "0");

  RebuildList(2);
  EXPECT_EQ(EntryCount, 2);
  EXPECT_EQ(ViewList[2].GameNumber, "4");
  // Rows of the longer list are emptied.
  EXPECT_TRUE(ViewList[3].DisplayLine.Empty());
  EXPECT_TRUE(ViewList[4].DisplayLine.Empty());

  RebuildList(3);
  EXPECT_EQ(EntryCount, 1);
  EXPECT_EQ(ViewList[1].DisplayLine, "beta      Beta");
  EXPECT_TRUE(ViewList[2].DisplayLine.Empty());
}

TEST_F(GamesListTest, LongDriverNamesAreNeitherPaddedNorCut) {
  AddGame("galaga", "Galaga");
  AddGame("longdriver", "Long");
  AddGame("longerdriver", "Longer");
  RebuildList(1);
  EXPECT_EQ(ViewList[1].DisplayLine, "galaga    Galaga");
  EXPECT_EQ(ViewList[2].DisplayLine, "longdriverLong");
  EXPECT_EQ(ViewList[3].DisplayLine, "longerdriverLonger");

  DrawListPage(1, 0, 0);
  EXPECT_EQ(TextAt(2, 4, 16), "galaga    Galaga");
  EXPECT_EQ(TextAt(12, 4, 6), "Galaga");
}

TEST_F(GamesListTest, NatodefaRunsFromTheArchiveOfNatodef) {
  AddGame("natodef", "Nato Defense", "", "", "0");
  AddGame("natodefa", "Nato Defense (alternate)", "natodef", "", "0");
  AddGame("natodefax", "Not the one", "", "", "0");

  RebuildList(1);
  EXPECT_EQ(Games[2].Available, "0");
  EXPECT_EQ(AvailableCount, 0);

  Touch("roms/natodef.zip");
  RebuildList(2);
  EXPECT_EQ(Games[1].Available, "0");  // the rebuild never scans natodef itself
  EXPECT_EQ(Games[2].Available, "1");
  EXPECT_EQ(Games[3].Available, "0");
  EXPECT_EQ(AvailableCount, 1);
  EXPECT_EQ(EntryCount, 1);
  EXPECT_EQ(ViewList[1].GameNumber, "2");

  // The rebuild sets "1" only: a lost archive is left to the scan.
  std::filesystem::remove("roms/natodef.zip");
  RebuildList(1);
  EXPECT_EQ(Games[2].Available, "1");
}

TEST_F(GamesListTest, WindowShowsTheSelectedGameOnItsFirstRow) {
  AddGames(1500);
  RebuildList(1);
  SelectedGame = 1200;
  EXPECT_EQ(PlaceWindow(), 1199);
  SelectedGame = 1495;
  EXPECT_EQ(PlaceWindow(), 1479);  // the last full window
  SelectedGame = 1480;
  EXPECT_EQ(PlaceWindow(), 1479);
  SelectedGame = 1479;
  EXPECT_EQ(PlaceWindow(), 1478);
}

TEST_F(GamesListTest, WindowFollowsTheEntryNotTheGameNumber) {
  AddGames(4000);
  for (int game = 1; game <= 1300; ++game) Games[game].Available = "0";
  RebuildList(2);
  ASSERT_EQ(EntryCount, 2700);
  SelectedGame = 2500;  // entry 1200 of the available games
  EXPECT_EQ(PlaceWindow(), 1199);

  // A game that the filter leaves out: the last full window.
  RebuildList(3);
  EXPECT_EQ(PlaceWindow(), 1300 - 21);
  SelectedGame = 0;
  EXPECT_EQ(PlaceWindow(), 1300 - 21);
}

TEST_F(GamesListTest, ShortListAlwaysShowsFromItsFirstEntry) {
  AddGames(15);
  RebuildList(1);
  SelectedGame = 12;
  SelectedEntry = 12;
  EXPECT_EQ(PlaceWindow(), 0);
  DrawListPage(SelectedEntry, PlaceWindow(), 0);
  EXPECT_EQ(TopLine, 0);
  EXPECT_EQ(TextAt(2, 4, 60), "g0001     Game 1" + std::string(44, ' '));
  EXPECT_EQ(TextAt(2, 18, 17), "g0015     Game 15");
  for (int row = 19; row <= 24; ++row) EXPECT_EQ(TextAt(2, row, 60), std::string(60, ' ')) << row;
  // Entry 12 is the highlight bar, black on white.
  EXPECT_EQ(ForegroundAt(2, 15), 0);
  EXPECT_EQ(BackgroundAt(61, 15), 15);
  EXPECT_EQ(ForegroundAt(2, 14), 15);
  EXPECT_EQ(BackgroundAt(2, 14), 0);
  EXPECT_EQ(TextAt(62, 15, 1), " ");  // the row ends in column 61
}

TEST_F(GamesListTest, ColumnOffsetHidesTheStartOfEveryRow) {
  AddGame("pacman", "Pac-Man");
  AddGame("a", std::string(80, 'x') + "END");
  RebuildList(1);

  FillBox(1, 1, 15, 1, 3, 80, 3);
  DrawListPage(1, 0, 10);
  EXPECT_EQ(TextAt(2, 3, 52), "Game Name" + std::string(43, ' '));
  EXPECT_EQ(TextAt(54, 3, 1), "\xB1");  // the heading is not padded to 60
  EXPECT_EQ(ForegroundAt(2, 3), 0);
  EXPECT_EQ(BackgroundAt(2, 3), 10);
  EXPECT_EQ(TextAt(2, 4, 60), "Pac-Man" + std::string(53, ' '));
  EXPECT_EQ(TextAt(2, 5, 60), std::string(60, 'x'));

  DrawListPage(1, 0, 0);
  EXPECT_EQ(TextAt(2, 3, 9), "Driver   ");
  EXPECT_EQ(TextAt(2, 4, 16), "pacman    Pac-Ma");
  DrawListPage(1, 0, -3);
  EXPECT_EQ(TextAt(2, 4, 16), "pacman    Pac-Ma");
  EXPECT_EQ(TextAt(2, 3, 6), "Driver");
}

TEST_F(GamesListTest, DetailsShowCloneCheatsAndBothCategories) {
  AddGame("galaga", "Galaga", "", "Shooter / Flying Vertical", "1", "12");
  AddGame("gallag", "Gallag", "galaga", "Puzzle", "1", "");
  AddGame("noname", "No Name", "", "", "1", "3");
  AddGame("odd", "Odd", "", "Sports /", "1", "");
  RebuildList(1);

  SoilDetails();
  DrawListPage(1, 0, 0);
  EXPECT_EQ(TextAt(64, 18, 16), std::string(14, ' ') + "##");
  EXPECT_EQ(TextAt(64, 20, 16), "12  ############");
  EXPECT_EQ(TextAt(64, 22, 16), "Shooter        #");
  EXPECT_EQ(TextAt(64, 23, 16), "Flying Vertical ");
  EXPECT_EQ(ForegroundAt(64, 23), 15);
  EXPECT_EQ(BackgroundAt(64, 23), 0);

  SoilDetails();
  DrawListPage(2, 0, 0);
  EXPECT_EQ(TextAt(64, 18, 16), "galaga        ##");
  EXPECT_EQ(TextAt(64, 20, 16), std::string(15, ' ') + "#");
  EXPECT_EQ(TextAt(64, 22, 16), "Puzzle         #");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(15, ' ') + "#");

  SoilDetails();
  DrawListPage(3, 0, 0);
  EXPECT_EQ(TextAt(64, 22, 16), std::string(15, ' ') + "#");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(15, ' ') + "#");

  // A slash at the very end leaves an empty subcategory.
  SoilDetails();
  DrawListPage(4, 0, 0);
  EXPECT_EQ(TextAt(64, 22, 16), "Sports         #");
  EXPECT_EQ(TextAt(64, 23, 16), std::string(16, ' '));
}

TEST_F(GamesListTest, ClonesAreGreyAndTheBarTakesTheRowColour) {
  AddGame("galaga", "Galaga");
  AddGame("gallag", "Gallag", "galaga");
  RebuildList(1);

  DrawListPage(2, 0, 0);
  EXPECT_EQ(ForegroundAt(2, 4), 15);  // parent
  EXPECT_EQ(BackgroundAt(2, 4), 0);
  EXPECT_EQ(ForegroundAt(2, 5), 0);  // selected clone: black on light grey
  EXPECT_EQ(BackgroundAt(2, 5), 7);

  DrawListPage(1, 0, 0);
  EXPECT_EQ(ForegroundAt(30, 4), 0);  // selected parent: black on white
  EXPECT_EQ(BackgroundAt(30, 4), 15);
  EXPECT_EQ(ForegroundAt(30, 5), 7);  // clone: light grey on black
  EXPECT_EQ(BackgroundAt(30, 5), 0);
}

TEST_F(GamesListTest, EmptyListDrawsBlankRowsWithoutABar) {
  AddGame("galaga", "Galaga", "", "Shooter", "1", "12");
  RebuildList(1);
  DrawListPage(1, 0, 0);
  RebuildList(3);
  ASSERT_EQ(EntryCount, 0);
  SoilDetails();
  DrawListPage(1, 0, 0);
  for (int row = 4; row <= 24; ++row) EXPECT_EQ(TextAt(2, row, 60), std::string(60, ' ')) << row;
  EXPECT_NE(BackgroundAt(2, 4), 15);
  for (int row : {18, 20, 22, 23}) EXPECT_EQ(TextAt(64, row, 16), std::string(16, ' ')) << row;
}

TEST_F(GamesListTest, SelectionBeyondTheListBlanksTheDetails) {
  AddGames(30);
  Games[2].CheatCount = "7";
  RebuildList(1);
  SoilDetails();
  DrawListPage(45, 0, 0);
  for (int row : {18, 20, 22, 23}) EXPECT_EQ(TextAt(64, row, 16), std::string(16, ' ')) << row;
  for (int row = 4; row <= 24; ++row) EXPECT_NE(BackgroundAt(2, row), 15) << row;

  DrawListPage(2, 0, 0);
  EXPECT_EQ(TextAt(64, 20, 3), "7  ");
}

}  // namespace
}  // namespace zeb
