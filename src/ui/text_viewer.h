#pragma once
// The file viewer: the line store, its page in the list window, and its
// panel, whose buttons show the files.

#include <string_view>

#include "ui/session.h"

namespace zeb {

// Replaces the viewer's lines with those of the file, the window at its
// start; a missing file shows "File Not Available!" for a moment and
// leaves the viewer's window as it was.
void LoadTextFile(Viewer& viewer, Console& console, std::string_view fileName);
// The 21 rows of the window over the viewer's lines.
void DrawTextPage(Console& console, const Viewer& viewer);

// The viewer as it opens: its heading and the picture.
void DrawViewerBody(Console& console);
void DrawViewerPanel(Console& console);
Outcome ClickViewerPanel(Session& session, int column, int row);

}  // namespace zeb
