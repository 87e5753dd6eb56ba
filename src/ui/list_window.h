#pragma once
// The list window that the games list and the file viewer share: its scroll
// bars, scrolling it by key and by the scroll arrows, and drawing it again.

namespace zeb {

void DrawScrollBars();
// Draws the window again after a key or a scroll: the games list's page,
// or the viewer's page when it holds a file.
void RedrawListWindow();
// Acts on the extended code of a scroll key (Home, End and the arrows).
void ScrollByKey(unsigned char code);
// A click on the window (a row of the games list) or on a scroll arrow.
void ClickListWindow(int column, int row);
// Wheel notches (negative up, positive down): on the games list, and in the
// viewer when it holds a file, each notch scrolls as three clicks on the
// inner arrow would; anywhere else they do nothing.
void ScrollByWheel(int notches);

}  // namespace zeb
