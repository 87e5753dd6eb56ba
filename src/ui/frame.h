#pragma once
// The frame every screen shares: filled boxes, buttons, the title bar, the
// panel's buttons and the yes/no confirmation box. Drawing reads the
// records; what a button does is carried out by the main loop.
//
// Every drawing takes what it draws, then where, then in which colours.

#include <span>
#include <string_view>

#include "ui/session.h"

namespace zeb {

// A box filled with full blocks (which show in the foreground colour) or
// with the medium shade (both colours).
enum class Fill : unsigned char { Solid, Shaded };

// The rectangle from `from` to `to` (both included), one row at a time.
void FillBox(Console& console, Fill fill, Point from, Point to, Colours colours);

// A 16-cell button at `at`: the label centred in 14 characters between
// brackets; a selected one between two triangles, on white.
enum class ButtonLook : unsigned char { Plain, Selected };
void DrawButton(Console& console, std::string_view label, Point at, Colours colours, ButtonLook look);
// The name of the filter as a selected button, black on white.
void DrawFilterButton(Console& console, Filter filter, Point at);

// What a panel button does; the main loop carries it out.
enum class ButtonAction : unsigned char {
  RunGame,       // the games list's "Run Game"
  AskToRefresh,  // "Refresh List!"
  ChangeFilter,  // the filter button: its triangles step the filter
  LoadConfig,
  SaveConfig,
  AskToReset,    // "Default Config"
  ViewFile,      // a file button of the viewer: shows File
};

// A button of a screen's panel, read both by the drawing and by the click
// handling: its row, label, colours and action. A button is hit on any
// column of its row from the panel's first to its last.
struct PanelButton {
  int Row;
  const char* Label;  // null for a button its panel draws its own way
  Colours Look;
  ButtonAction Action;
  const char* File = nullptr;  // of a file button
};

void DrawPanelButtons(Console& console, std::span<const PanelButton> buttons);
// The button on `row`, or null.
const PanelButton* PanelButtonAt(std::span<const PanelButton> buttons, int row);

// The title bar with both versions and the close mark.
void DrawTitle(Console& console, const GameTable& games);
// "Are You Sure (Y/N)?" in its box, with its top left corner at `at`.
void DrawConfirmBox(Console& console, Point at);

}  // namespace zeb
