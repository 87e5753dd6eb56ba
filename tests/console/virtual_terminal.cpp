#include "virtual_terminal.h"

#include <vector>

#include "console/glyphs.h"
#include "console/terminal_render.h"

namespace zeb {

void VirtualTerminal::Apply(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 0x1B) {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '[') {
        Errors += "ESC without [; ";
        ++i;
        continue;
      }
      i += 2;
      bool privateMode = i < bytes.size() && bytes[i] == '?';
      if (privateMode) ++i;
      std::vector<int> params;
      std::string number;
      while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';')) {
        if (bytes[i] == ';') {
          params.push_back(number.empty() ? 0 : std::stoi(number));
          number.clear();
        } else {
          number += bytes[i];
        }
        ++i;
      }
      if (!number.empty() || !params.empty()) params.push_back(number.empty() ? 0 : std::stoi(number));
      if (i >= bytes.size()) {
        Errors += "cut-off sequence; ";
        break;
      }
      char final = bytes[i++];
      auto param = [&params](std::size_t n, int otherwise) {
        return n < params.size() && params[n] != 0 ? params[n] : otherwise;
      };
      if (privateMode && (final == 'h' || final == 'l')) {
        for (int mode : params) {
          bool on = final == 'h';
          if (mode == 25) CursorVisible = on;
          else if (mode == 1049) AlternateScreen = on;
          else if (mode == 1002 || mode == 1006) MouseReporting = on;
          else if (mode != 7) Errors += "unknown mode; ";
        }
      } else if (privateMode) {
        Errors += "unknown private sequence; ";
      } else if (final == 'H') {
        Row = param(0, 1);
        Column = param(1, 1);
      } else if (final == 'C') {
        Column += param(0, 1);
      } else if (final == 'J') {
        for (auto& row : Cells) {
          for (auto& cell : row) cell = VirtualCell{" ", Foreground, Background};
        }
      } else if (final == 'm') {
        if (params.empty()) params.push_back(0);
        for (int p : params) {
          if (p == 0) {
            Foreground = 39;
            Background = 49;
          } else if ((p >= 30 && p <= 37) || (p >= 90 && p <= 97)) {
            Foreground = p;
          } else if ((p >= 40 && p <= 47) || (p >= 100 && p <= 107)) {
            Background = p;
          } else {
            Errors += "unknown SGR; ";
          }
        }
      } else {
        Errors += std::string("unknown sequence ") + final + "; ";
      }
      continue;
    }
    if (c < 0x20 || c == 0x7F) {
      if (c == '\r') {
        Column = 1;
      } else if (c == '\n') {
        ++Row;
      } else if (c != 7) {
        Errors += "control byte " + std::to_string(c) + " in the text; ";
      }
      ++i;
      continue;
    }
    std::size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    if (Row >= 1 && Row <= Height && Column >= 1 && Column <= Width) {
      Cells[Row - 1][Column - 1] = VirtualCell{std::string(bytes.substr(i, length)), Foreground, Background};
    }
    if (Column < Width) ++Column;  // no wrap at the right edge
    i += length;
  }
}

namespace {

// A cell that shows one colour only: a full block, or a shade or half block
// in the colour of its background. A blank of that background colour looks
// the same; -1 for other cells.
int SolidColour(const Cell& cell) {
  int foreground = cell.Attr & 15;
  bool partial = (cell.Char >= 0xB0 && cell.Char <= 0xB2) || (cell.Char >= 0xDC && cell.Char <= 0xDF);
  if (cell.Char == 0xDB || (partial && foreground == cell.Attr >> 4)) return foreground;
  return -1;
}

}  // namespace

std::string VirtualTerminal::Compare(const ScreenModel& model) const {
  for (int row = 1; row <= ScreenHeight; ++row) {
    for (int column = 1; column <= ScreenWidth; ++column) {
      const Cell& want = model.Cells[row - 1][column - 1];
      const VirtualCell& got = Cells[row - 1][column - 1];
      std::string where = "column " + std::to_string(column) + " row " + std::to_string(row) + ": ";
      int solid = SolidColour(want);
      if (solid >= 0 && got.Glyph == " ") {
        if (got.Background != SgrBackground(solid)) return where + "background of a solid cell";
        continue;
      }
      if (got.Glyph != GlyphUtf8(want.Char)) return where + "glyph";
      if (got.Foreground != SgrForeground(want.Attr & 15)) return where + "foreground";
      if (got.Background != SgrBackground(want.Attr >> 4)) return where + "background";
    }
  }
  return "";
}

std::string VirtualTerminal::RowText(int row) const {
  std::string text;
  for (const VirtualCell& cell : Cells[row - 1]) text += cell.Glyph;
  return text;
}

}  // namespace zeb
