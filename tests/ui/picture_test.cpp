// The block picture of the empty file viewer and the About page.

#include <set>

#include "frame_fixture.h"
#include "ui/frame.h"
#include "ui/options_screen.h"

namespace zeb {
namespace {

using ui_testing::ScreenTest;

class PictureTest : public ScreenTest {};

TEST_F(PictureTest, FillsFiftyEightColumnsAndSeventeenRowsInItsFiveColours) {
  FillBox(1, 1, 15, 1, 1, 80, 25);
  DrawPicture(3, 6, 0xDB);

  std::set<int> colours;
  std::set<int> rowColours[25];
  for (int row = 6; row <= 22; ++row) {
    for (int column = 3; column <= 60; ++column) {
      ASSERT_EQ(TextAt(column, row, 1), "\xDB") << column << "," << row;
      ASSERT_EQ(BackgroundAt(column, row), 0) << column << "," << row;
      int colour = ForegroundAt(column, row);
      EXPECT_TRUE(colour == 15 || colour == 10 || colour == 12 || colour == 14 || colour == 5)
          << colour << " at " << column << "," << row;
      colours.insert(colour);
      rowColours[row - 1].insert(colour);
    }
  }
  EXPECT_EQ(colours.size(), 5u);
  // A picture, not a plain block: most rows mix colours.
  int mixed = 0;
  for (const auto& row : rowColours) mixed += row.size() > 1 ? 1 : 0;
  EXPECT_GE(mixed, 10);

  // Nothing around it is touched.
  for (int row = 5; row <= 23; ++row) {
    EXPECT_EQ(TextAt(2, row, 1), "\xB1") << row;
    EXPECT_EQ(TextAt(61, row, 1), "\xB1") << row;
  }
  EXPECT_EQ(TextAt(3, 5, 58), std::string(58, '\xB1'));
  EXPECT_EQ(TextAt(3, 23, 58), std::string(58, '\xB1'));
}

TEST_F(PictureTest, DrawsWithTheGivenCharacterAtTheGivenPlace) {
  DrawPicture(3, 6, 0xDB);
  ScreenModel reference = Screen;
  ConsoleUseBackend(&backend);  // a blank screen again
  DrawPicture(1, 1, '#');
  for (int row = 1; row <= 17; ++row) {
    EXPECT_EQ(TextAt(1, row, 58), std::string(58, '#')) << row;
    for (int column = 1; column <= 58; ++column) {
      EXPECT_EQ(AttrAt(column, row), reference.Cells[row + 4][column + 1].Attr) << column << "," << row;
    }
  }
  EXPECT_EQ(TextAt(59, 1, 1), " ");
  EXPECT_EQ(TextAt(1, 18, 1), " ");
}

}  // namespace
}  // namespace zeb
