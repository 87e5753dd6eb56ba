#pragma once
// Where the parts of the 80 x 25 screen stand, for the drawing and the
// clicking alike.

#include "console/console.h"

namespace zeb {

// The list window of the games list and the file viewer: 21 rows of 60
// columns, columns 2 to 61 of screen rows 4 to 24, under a heading on row 3.
constexpr int WindowRows = 21;
constexpr int WindowColumns = 60;
constexpr int WindowLeft = 2;
constexpr int WindowTop = 4;
constexpr int WindowRight = WindowLeft + WindowColumns - 1;
constexpr int WindowBottom = WindowTop + WindowRows - 1;
constexpr int HeadingRow = WindowTop - 1;
// How far the window's text can be shifted to the left.
constexpr int MaxColumnOffset = 60;
// The scroll bars: row 25 under the window, with its arrows at the window's
// first and last column; column 62 beside it, with an arrow on rows 3 and 4
// and on rows 24 and 25.
constexpr int ScrollBarRow = 25;
constexpr int ScrollBarColumn = 62;

// The panel on the right: columns 64 to 80. Its buttons start in column 64
// and end in column 79 (the triangles of a selected button); the screen
// switch is the button on row 3.
constexpr int PanelColumn = 64;
constexpr int PanelLastColumn = 79;
constexpr int PanelSwitchRow = 3;

// The games list's panel: its buttons, then a black box of counts and the
// selected game's details, each under a heading on the row above it.
constexpr int RunGameRow = 5;
constexpr int RefreshRow = 7;
constexpr int FilterRow = 9;
constexpr int PanelBoxTop = 11;
constexpr int PanelBoxBottom = 24;
constexpr int GameCountRow = 12;
constexpr int AvailableCountRow = 14;
constexpr int MissingCountRow = 16;
constexpr int CloneOfRow = 18;
constexpr int CheatCountRow = 20;
constexpr int CategoryRow = 22;
constexpr int SubcategoryRow = 23;
// With the machine information: the year and the maker, then the status.
constexpr int MachineRow = 24;
constexpr int MachineStatusRow = 25;

// The options screen's panel: its status box, and where a button leaves
// its message in it.
constexpr int StatusBoxTop = 21;
constexpr int StatusBoxBottom = 23;
constexpr Point MessageAt{66, 22};

// Where the refresh shows its progress, below its notice.
constexpr int RefreshBarRow = 3;

// The top left corner of the yes/no confirmation box.
constexpr int ConfirmRow = 12;
constexpr int ConfirmColumn = 30;

}  // namespace zeb
