#pragma once
// The games list: the filtered view of the game table and its page.

namespace zeb {

void RebuildList(int filter);
int PlaceWindow();
void DrawListPage(int selected, int top, int columnOffset);

}  // namespace zeb
