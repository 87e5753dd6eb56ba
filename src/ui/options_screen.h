#pragma once
// The options screen: its pages with their widgets, the clicks on them, and
// its panel.

namespace zeb {

void DrawOptionsPage(int page);
void HandleOptionsClick(int column, int row);
void DrawOptionsPanel();
void ClickOptionsPanel(int column, int row);

}  // namespace zeb
