#pragma once
// The block picture that the empty file viewer and the About page show: an
// arcade cabinet beside the letters ZEB.

#include "console/console.h"

namespace zeb {

// Draws the picture, 58 cells wide and 17 rows high, from (column, row) on;
// every cell shows `character` in the cell's colour on black.
void DrawPicture(Console& console, int column, int row, unsigned char character);

}  // namespace zeb
