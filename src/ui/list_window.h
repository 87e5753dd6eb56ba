#pragma once
// The list window that the games list and the file viewer share: its scroll
// bars, and scrolling it by key, by the scroll arrows and by the wheel.

#include "ui/session.h"

namespace zeb {

void DrawScrollBars(Console& console);
// Acts on the extended code of a scroll key (Home, End and the arrows).
void ScrollByKey(ListWindow& window, unsigned char code);
// A click on a scroll arrow: one step after the arrow's pause (which sets
// the pace of a held click); false when `at` is no arrow.
bool ClickScrollArrow(Console& console, ListWindow& window, Point at);
// Wheel notches (negative up, positive down): each scrolls three rows at
// once, within the same limits as the arrows.
void ScrollByWheel(ListWindow& window, int notches);

}  // namespace zeb
