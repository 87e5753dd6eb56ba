#pragma once
// The frame every screen shares: title bar, shaded background, the panel on
// the right, and the yes/no confirmation box.

#include <string_view>

namespace zeb {

void FillBox(int style, int background, int foreground, int left, int top, int right, int bottom);
void DrawButton(bool selected, int background, int foreground, std::string_view label, int row, int column);
void DrawFilterButton(int row, int column);
void DrawPanel(int screen);
void RedrawScreen();
bool ConfirmBox(int row, int column);

}  // namespace zeb
