#pragma once
// The options screen: its pages, widgets, click handling and the picture.

#include <string_view>

namespace zeb {

void DrawOptionsPage(int page);
void HandleOptionsClick(int column, int row);
void DrawSwitch(int column, int row, int value);
void DrawSpinner(int column, int row, int wholeValue, double realValue, int width);
void DrawSelector(int column, int row, std::string_view caption);
void DrawPicture(int column, int row, unsigned char character);

}  // namespace zeb
