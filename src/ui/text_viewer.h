#pragma once
// The file viewer: the line store, its page in the list window, and its
// panel, whose buttons show the files.

#include <string_view>

namespace zeb {

void LoadTextFile(std::string_view fileName);
void DrawTextPage(int top, int left);

// The viewer as it opens: its heading and the picture.
void DrawViewerBody();
void DrawViewerPanel();
void ClickViewerPanel(int column, int row);

}  // namespace zeb
