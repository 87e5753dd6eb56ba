// The block picture that the empty file viewer and the About page show: an
// arcade cabinet beside the letters ZEB, 58 cells wide and 17 rows high.

#include "ui/picture.h"

#include <array>
#include <string_view>

#include "console/colours.h"
#include "console/console.h"

namespace zeb {

namespace {

constexpr int PictureWidth = 58;
constexpr int PictureRows = 17;
constexpr int PictureCodes = PictureRows * (PictureWidth + 1);  // 1003

// One letter per cell: '.' white, 'G' light green, 'R' light red, 'Y' yellow,
// 'M' magenta.
constexpr std::string_view PictureArt[PictureRows] = {
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "M........................................................M",
    "M..YYYYYYYYYYYY......RRRRRRRRR..RRRRRRRRR..RRRRRRRR......M",
    "M..YMMMMMMMMMMY......RRRRRRRRR..RRRRRRRRR..RRRRRRRRR.....M",
    "M..YYYYYYYYYYYY............RRR..RRR........RRR....RRR....M",
    "M..Y..........Y...........RRR...RRR........RRR....RRR....M",
    "M..Y.GGGGGGGG.Y..........RRR....RRRRRRR....RRRRRRRR......M",
    "M..Y.GG.GG.GG.Y.........RRR.....RRRRRRR....RRRRRRRR......M",
    "M..Y.GGGGGGGG.Y........RRR......RRR........RRR....RRR....M",
    "M..Y.GRGGGGRG.Y.......RRR.......RRR........RRR....RRR....M",
    "M..Y.GGGGGGGG.Y......RRRRRRRRR..RRRRRRRRR..RRRRRRRRR.....M",
    "M..YYYYYYYYYYYY......RRRRRRRRR..RRRRRRRRR..RRRRRRRR......M",
    "M.YY..M...RR..YY.........................................M",
    "M.YYYYYYYYYYYYYY.....GGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGG...M",
    "M..Y....YY....Y..........................................M",
    "M..YYYYYYYYYYYY..........................................M",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
};

// The cell codes: 0 white, 1 light green, 2 light red, 4 yellow, 6 magenta;
// 3 ends a row.
constexpr unsigned char EndOfRow = 3;

constexpr unsigned char CodeOf(char letter) {
  switch (letter) {
    case 'G': return 1;
    case 'R': return 2;
    case 'Y': return 4;
    case 'M': return 6;
    default: return 0;
  }
}

constexpr bool ValidArt() {
  for (std::string_view row : PictureArt) {
    if (row.size() != PictureWidth) return false;
    for (char c : row) {
      if (c != '.' && c != 'G' && c != 'R' && c != 'Y' && c != 'M') return false;
    }
  }
  return true;
}
static_assert(ValidArt(), "every picture row holds 58 known letters");

constexpr std::array<unsigned char, PictureCodes> MakePictureCodes() {
  std::array<unsigned char, PictureCodes> codes{};
  std::size_t n = 0;
  for (std::string_view row : PictureArt) {
    for (char c : row) codes[n++] = CodeOf(c);
    codes[n++] = EndOfRow;
  }
  return codes;
}

constexpr std::array<unsigned char, PictureCodes> PictureCodeTable = MakePictureCodes();

int ColourOf(unsigned char code) {
  switch (code) {
    case 1: return LightGreen;
    case 2: return LightRed;
    case 4: return Yellow;
    case 6: return Magenta;
    default: return White;
  }
}

}  // namespace

void DrawPicture(Console& console, unsigned char character, Point at) {
  const int column = at.Column;
  int row = at.Row;
  const char cell[1] = {static_cast<char>(character)};
  int cellColumn = column;
  for (unsigned char code : PictureCodeTable) {
    if (code == EndOfRow) {
      ++row;
      cellColumn = column;
    } else {
      console.PutText(std::string_view(cell, 1), {cellColumn, row}, {ColourOf(code), Black});
      ++cellColumn;
    }
  }
}

}  // namespace zeb
