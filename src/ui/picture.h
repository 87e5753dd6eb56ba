#pragma once
// The block picture that the empty file viewer and the About page show: an
// arcade cabinet beside the letters ZEB.

#include "console/console.h"

namespace zeb {

// Draws the picture, 58 cells wide and 17 rows high, with its top left cell
// at `at`; every cell shows `character` in the cell's colour on black.
void DrawPicture(Console& console, unsigned char character, Point at);

}  // namespace zeb
