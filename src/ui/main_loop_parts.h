#pragma once
// Pieces of the main loop shared by its key and click dispatch.

namespace zeb {

// The list window has 21 rows, screen rows 4 to 24.
constexpr int ListWindowRows = 21;

// Draws the list window again after a key or a scroll: the games list page
// on screen 0, the viewer's page on screen 2 when it holds a file.
void RedrawListWindow();

// Acts on one key read by the loop (already in LastKey). True when Esc was
// answered with yes: the loop is to end at once.
bool DispatchKey();

// Moves the window to the first entry that begins with the key's letter.
void JumpToLetter(unsigned char key);

}  // namespace zeb
