#pragma once
// Turning the screen model into the bytes that make a terminal show it
// (xterm control sequences, UTF-8 glyphs). Platform-free: the terminal
// backend writes what these functions build, and tests read it.

#include <string>
#include <string_view>

#include "console/console.h"

namespace zeb {

// What the terminal shows, as far as we know.
struct TerminalView {
  Cell Cells[ScreenHeight][ScreenWidth];  // the model's cells as last drawn
  bool Valid = false;        // false: the cells above mean nothing; repaint all
  int CursorColumn = 0;      // where the terminal's cursor is; 0: unknown
  int CursorRow = 0;
  int Attr = -1;             // the colours in force; -1: unknown
  bool CursorVisible = true;
};

// Sent once when the program takes the terminal: the alternate screen, no
// automatic wrap at the right edge.
inline constexpr std::string_view TerminalEnterSequence = "\x1b[?1049h\x1b[?7l";
// Gives it back: no mouse reporting, plain colours, cursor shown, wrap on,
// the normal screen.
inline constexpr std::string_view TerminalRestoreSequence =
    "\x1b[?1002l\x1b[?1006l\x1b[0m\x1b[?25h\x1b[?7h\x1b[?1049l";
// The colours in force while another program has the terminal: the launch
// screen's light grey on black, so that its plain text shows in them (as on
// the Windows console, where a program writes in the colours it finds).
inline constexpr std::string_view HandOverColours = "\x1b[0;37;40m";
// Mouse reporting: button presses, releases and motion while a button is
// held, in SGR coordinates.
inline constexpr std::string_view MouseOnSequence = "\x1b[?1002h\x1b[?1006h";
inline constexpr std::string_view MouseOffSequence = "\x1b[?1002l\x1b[?1006l";

// The SGR parameter of a console colour (bit 0 blue, bit 2 red, bit 3
// bright) as foreground (30-37, 90-97) or background (40-47, 100-107).
int SgrForeground(int colour);
int SgrBackground(int colour);

// Appends to `out` what brings the terminal from `view` to `model`: only the
// changed cells (all of them when the view is not valid), with as few cursor
// moves and colour changes as it can, then the cursor as the model wants it.
// Updates `view`. Nothing is appended when nothing changed. A cell of one
// colour (a full block, or a shade or half block on its own colour) is drawn
// as a blank on that colour, which no font can leave a gap in.
void RenderChanges(TerminalView& view, const ScreenModel& model, std::string& out);

// Appends the cursor position sequence for (column, row).
void AppendCursorMove(std::string& out, int column, int row);

// Appends a cleared screen with a centred notice that the terminal of
// `width` x `height` is too small. Lines that do not fit are cut.
void RenderSizeNotice(int width, int height, std::string& out);

}  // namespace zeb
