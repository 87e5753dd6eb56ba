// The block picture of the empty file viewer and the About page.

#include <set>

#include "frame_fixture.h"
#include "ui/frame.h"
#include "ui/picture.h"

namespace zeb {
namespace {

using ui_testing::ScreenTest;

class PictureTest : public ScreenTest {};

TEST_F(PictureTest, FillsFiftyEightColumnsAndSeventeenRowsInItsFiveColours) {
  FillBox(console, Fill::Shaded, {1, 1}, {80, 25}, {15, 1});
  DrawPicture(console, 0xDB, {3, 6});
  std::set<int> colours;
  int mixedRows = 0;
  for (int row = 6; row <= 22; ++row) {
    std::set<int> rowColours;
    for (int column = 3; column <= 60; ++column) {
      ASSERT_EQ(TextAt(column, row, 1), "\xDB") << column << "," << row;
      ASSERT_EQ(BackgroundAt(column, row), 0) << column << "," << row;
      rowColours.insert(ForegroundAt(column, row));
    }
    colours.insert(rowColours.begin(), rowColours.end());
    mixedRows += rowColours.size() > 1 ? 1 : 0;
  }
  EXPECT_EQ(colours, (std::set<int>{5, 10, 12, 14, 15}));
  EXPECT_GE(mixedRows, 10);  // a picture, not stripes

  // Nothing around it is touched.
  for (int row = 5; row <= 23; ++row) EXPECT_EQ(TextAt(2, row, 1) + TextAt(61, row, 1), "\xB1\xB1") << row;
  EXPECT_EQ(TextAt(3, 5, 58) + TextAt(3, 23, 58), std::string(116, '\xB1'));

  // Elsewhere, with another character, the same colours.
  ScreenModel reference = console.Screen;
  DrawPicture(console, '#', {1, 1});
  for (int row = 1; row <= 17; ++row) {
    EXPECT_EQ(TextAt(1, row, 58), std::string(58, '#')) << row;
    for (int column = 1; column <= 58; ++column) {
      EXPECT_EQ(AttrAt(column, row), reference.Cells[row + 4][column + 1].Attr) << column << "," << row;
    }
  }
}

}  // namespace
}  // namespace zeb
