#pragma once
// The list window that the games list and the file viewer share: its scroll
// bars, scrolling it by key and by the scroll arrows, and drawing it again.

#include "ui/session.h"

namespace zeb {

void DrawScrollBars(Console& console);
// The window of the screen on display: the games list's, or the viewer's.
ListWindow& WindowOnDisplay(Session& session);
// Draws the window again after a key or a scroll: the games list's page,
// or the viewer's page when it holds a file.
void RedrawListWindow(Session& session);
// Acts on the extended code of a scroll key (Home, End and the arrows).
void ScrollByKey(ListWindow& window, unsigned char code);
// A click on the window (a row of the games list) or on a scroll arrow.
Outcome ClickListWindow(Session& session, int column, int row);
// Wheel notches (negative up, positive down): on the games list, and in the
// viewer when it holds a file, each notch scrolls three rows at once, within
// the same limits as the arrows; anywhere else they do nothing.
Outcome ScrollByWheel(Session& session, int notches);

}  // namespace zeb
