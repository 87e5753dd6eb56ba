#pragma once
// The text viewer: the line store and its page.

#include <string_view>

namespace zeb {

void LoadTextFile(std::string_view fileName);
void DrawTextPage(int top, int left);

}  // namespace zeb
