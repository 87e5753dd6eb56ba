#include "console/terminal_render.h"

#include <algorithm>

#include "console/glyphs.h"

namespace zeb {

namespace {

// Console colours have blue in bit 0 and red in bit 2; ANSI the other way.
int AnsiIndex(int colour) { return (colour & 2) | ((colour & 1) << 2) | ((colour & 4) >> 2); }

void AppendNumber(std::string& out, int value) {
  char digits[12];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (length > 0) out += digits[--length];
}

int DigitCount(int value) { return value >= 100 ? 3 : value >= 10 ? 2 : 1; }

void AppendColours(std::string& out, int from, int to) {
  int fg = to & 15;
  int bg = to >> 4;
  out += "\x1b[";
  if (from < 0) {
    out += "0;";
    AppendNumber(out, SgrForeground(fg));
    out += ';';
    AppendNumber(out, SgrBackground(bg));
  } else if ((from & 15) != fg && (from >> 4) != bg) {
    AppendNumber(out, SgrForeground(fg));
    out += ';';
    AppendNumber(out, SgrBackground(bg));
  } else if ((from & 15) != fg) {
    AppendNumber(out, SgrForeground(fg));
  } else {
    AppendNumber(out, SgrBackground(bg));
  }
  out += 'm';
}

bool SameCell(const Cell& a, const Cell& b) { return a.Char == b.Char && a.Attr == b.Attr; }

constexpr unsigned char FullBlock = 0xDB;

// The glyphs that fill their cell with the foreground colour in a pattern
// or in part: the shades and the half blocks.
bool IsPartialBlock(unsigned char byte) { return (byte >= 0xB0 && byte <= 0xB2) || (byte >= 0xDC && byte <= 0xDF); }

// What is drawn for a cell. A font draws the full block a little short in
// some terminals, leaving a line of the background between rows; a blank
// whose background is the block's colour looks the same everywhere and
// leaves no gap. A shade or half block in one colour on the same colour is
// a blank of that colour too. The model keeps its bytes: this is only how
// they are shown.
struct DrawnCell {
  std::string_view Glyph;
  int Attr;
};

DrawnCell Drawn(const Cell& cell) {
  int foreground = cell.Attr & 15;
  if (cell.Char == FullBlock || (IsPartialBlock(cell.Char) && foreground == cell.Attr >> 4)) {
    return {" ", foreground + 16 * foreground};
  }
  return {GlyphUtf8(cell.Char), cell.Attr};
}

// Moves the terminal's cursor to (column, row) within a row being drawn: a
// short forward step rewrites the unchanged cells between (when they are in
// the colours in force and that costs no more than the move), else a
// forward move, else a full position.
void MoveTo(TerminalView& view, const ScreenModel& model, std::string& out, int column, int row) {
  if (view.CursorRow == row && view.CursorColumn == column) return;
  if (view.CursorRow == row && view.CursorColumn > 0 && view.CursorColumn < column) {
    int gap = column - view.CursorColumn;
    std::size_t moveCost = gap == 1 ? 3 : 3 + static_cast<std::size_t>(DigitCount(gap));
    std::size_t rewriteCost = 0;
    bool sameColours = true;
    for (int c = view.CursorColumn; c < column && sameColours; ++c) {
      DrawnCell cell = Drawn(model.Cells[row - 1][c - 1]);
      sameColours = cell.Attr == view.Attr;
      rewriteCost += cell.Glyph.size();
    }
    if (sameColours && rewriteCost <= moveCost) {
      for (int c = view.CursorColumn; c < column; ++c) out += Drawn(model.Cells[row - 1][c - 1]).Glyph;
    } else {
      out += "\x1b[";
      if (gap > 1) AppendNumber(out, gap);
      out += 'C';
    }
  } else {
    AppendCursorMove(out, column, row);
  }
  view.CursorColumn = column;
  view.CursorRow = row;
}

}  // namespace

int SgrForeground(int colour) { return ((colour & 8) ? 90 : 30) + AnsiIndex(colour); }
int SgrBackground(int colour) { return ((colour & 8) ? 100 : 40) + AnsiIndex(colour); }

void AppendCursorMove(std::string& out, int column, int row) {
  out += "\x1b[";
  if (column != 1 || row != 1) {
    AppendNumber(out, row);
    if (column != 1) {
      out += ';';
      AppendNumber(out, column);
    }
  }
  out += 'H';
}

void RenderChanges(TerminalView& view, const ScreenModel& model, std::string& out) {
  bool all = !view.Valid;
  if (all) {
    out += "\x1b[0m\x1b[2J";
    view.Attr = -1;
    view.CursorColumn = view.CursorRow = 0;
    // The cursor's state is stated anew too, whatever the terminal had.
    view.CursorVisible = !model.CursorVisible;
  }
  if (!model.CursorVisible && view.CursorVisible) {
    out += "\x1b[?25l";
    view.CursorVisible = false;
  }
  for (int row = 1; row <= ScreenHeight; ++row) {
    for (int column = 1; column <= ScreenWidth; ++column) {
      const Cell& cell = model.Cells[row - 1][column - 1];
      Cell& shown = view.Cells[row - 1][column - 1];
      if (!all && SameCell(cell, shown)) continue;
      MoveTo(view, model, out, column, row);
      DrawnCell drawn = Drawn(cell);
      if (drawn.Attr != view.Attr) {
        AppendColours(out, view.Attr, drawn.Attr);
        view.Attr = drawn.Attr;
      }
      out += drawn.Glyph;
      shown = cell;
      // Past the last column the terminal's idea of the cursor is its own.
      if (++view.CursorColumn > ScreenWidth) view.CursorColumn = view.CursorRow = 0;
    }
  }
  view.Valid = true;
  if (model.CursorVisible) {
    int column = std::clamp(model.CursorColumn, 1, ScreenWidth);
    int row = std::clamp(model.CursorRow, 1, ScreenHeight);
    if (view.CursorColumn != column || view.CursorRow != row) {
      AppendCursorMove(out, column, row);
      view.CursorColumn = column;
      view.CursorRow = row;
    }
    if (!view.CursorVisible) {
      out += "\x1b[?25h";
      view.CursorVisible = true;
    }
  }
}

void RenderSizeNotice(int width, int height, std::string& out) {
  out += "\x1b[0m\x1b[?25l\x1b[2J";
  std::string size = "(now " + std::to_string(width) + " x " + std::to_string(height) + ")";
  std::string_view lines[] = {"The terminal is too small.", "Please enlarge it", "to at least 80 x 25.", size};
  int count = std::clamp(height, 1, 4);
  int top = std::max(1, (height - count) / 2 + 1);
  for (int i = 0; i < count; ++i) {
    std::string_view line = lines[i].substr(0, static_cast<std::size_t>(std::max(width, 1)));
    int column = std::max(1, (width - static_cast<int>(line.size())) / 2 + 1);
    AppendCursorMove(out, column, top + i);
    out += line;
  }
}

}  // namespace zeb
