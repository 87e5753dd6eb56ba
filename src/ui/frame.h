#pragma once
// The frame every screen shares: title bar, shaded background, the panel on
// the right with its buttons, and the yes/no confirmation box; and the
// showing of a whole screen.

#include <span>
#include <string_view>

#include "ui/session.h"

namespace zeb {

void FillBox(Console& console, int style, int background, int foreground, int left, int top, int right, int bottom);
void DrawButton(Console& console, bool selected, int background, int foreground, std::string_view label, int row,
                int column);
void DrawFilterButton(Console& console, Filter filter, int row, int column);

// A button of a screen's panel, read both by the drawing and by the click
// handling: its row, label and colours, and what a click on it does (given
// the column clicked).
struct PanelButton {
  int Row;
  const char* Label;
  int Background;
  int Foreground;
  Outcome (*Click)(Session& session, int column);
};

void DrawPanelButtons(Console& console, std::span<const PanelButton> buttons);
// Acts on a click on the panel's row `row`, when a button stands there.
Outcome ClickPanelButton(Session& session, std::span<const PanelButton> buttons, int column, int row);

// The panel of `screen` becomes the one on display: PanelScreen and the
// captions are brought up to date, then it is drawn (the screen switch and
// the screen's own panel).
void ShowPanel(Session& session, Screen screen);
// The body of `screen` becomes the one on display (screen_body.cpp): the
// screen and the options page are recorded, the screen's records brought up
// to date (the games list rebuilt, its window on the selected game) and its
// body drawn.
void ShowScreen(Session& session, Screen screen, Page page);
// The whole screen anew as CurrentScreen and OptionsPage say.
void RedrawScreen(Session& session);
// Asks "Are You Sure (Y/N)?" and waits for the answer; after a no, the
// screen is drawn again.
bool ConfirmBox(Session& session, int row, int column);

}  // namespace zeb
