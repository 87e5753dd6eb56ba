#pragma once
// A small model of a terminal for tests: it takes the bytes the renderer
// writes, understands exactly the control sequences the renderer uses, and
// records anything else (a control byte in the text, an unknown sequence) as
// an error.

#include <string>
#include <string_view>

#include "console/console.h"

namespace zeb {

struct VirtualCell {
  std::string Glyph = " ";
  int Foreground = 39;  // SGR codes; 39/49 are the terminal's own colours
  int Background = 49;
};

struct VirtualTerminal {
  static constexpr int Width = 100;
  static constexpr int Height = 40;
  VirtualCell Cells[Height][Width];
  int Column = 1;
  int Row = 1;
  int Foreground = 39;
  int Background = 49;
  bool CursorVisible = true;
  bool AlternateScreen = false;
  bool MouseReporting = false;
  std::string Errors;

  void Apply(std::string_view bytes);
  // Whether the cells show the model: glyphs and colours; "" when they do,
  // else the first difference. A cell of one colour (a full block, or a
  // shade or half block on its own colour) may show as a blank of that
  // background colour: it looks the same.
  std::string Compare(const ScreenModel& model) const;
  std::string RowText(int row) const;
};

}  // namespace zeb
