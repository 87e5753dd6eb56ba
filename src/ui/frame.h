#pragma once
// The frame every screen shares: title bar, shaded background, the panel on
// the right with its buttons, and the yes/no confirmation box; and the
// drawing of a whole screen.

#include <span>
#include <string_view>

namespace zeb {

void FillBox(int style, int background, int foreground, int left, int top, int right, int bottom);
void DrawButton(bool selected, int background, int foreground, std::string_view label, int row, int column);
void DrawFilterButton(int row, int column);

// A button of a screen's panel, read both by the drawing and by the click
// handling: its row, label and colours, and what a click on it does (given
// the column clicked).
struct PanelButton {
  int Row;
  const char* Label;
  int Background;
  int Foreground;
  void (*Click)(int column);
};

void DrawPanelButtons(std::span<const PanelButton> buttons);
// Acts on a click on the panel's row `row`, when a button stands there.
void ClickPanelButton(std::span<const PanelButton> buttons, int column, int row);

// The panel of a screen: the screen switch, then the screen's own panel.
void DrawPanel(int screen);
// The body of a screen (screen_body.cpp); `page` is the options page.
void DrawScreenBody(int screen, int page);
// The whole screen as CurrentScreen and OptionsPage say.
void RedrawScreen();
// Asks "Are You Sure (Y/N)?" and waits for the answer; after a no, the
// screen is drawn again.
bool ConfirmBox(int row, int column);

}  // namespace zeb
