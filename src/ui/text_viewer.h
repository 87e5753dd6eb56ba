#pragma once
// The file viewer: the line store, its page in the list window, and its
// panel, whose buttons show the files.

#include <span>
#include <string_view>

#include "ui/frame.h"
#include "ui/session.h"

namespace zeb {

// Replaces the viewer's lines with those of the file, the window at its
// start. The file must exist.
void LoadTextFile(Viewer& viewer, std::string_view fileName);
// What a file button does: the file's page on display; for a file that is
// not there, a moment's notice (the FileMissing task) and then an empty
// page over the window as it was.
Outcome ViewFile(Viewer& viewer, std::string_view fileName);
// The moment of that notice is over.
void EndFileMissing(Viewer& viewer);

// The 21 rows of the window over the viewer's lines.
void DrawTextPage(Console& console, const Viewer& viewer);
// The viewer's body: its heading, then the page or the picture, and the
// notice of a missing file over them.
void DrawViewerBody(Console& console, const Viewer& viewer);

extern const std::span<const PanelButton> ViewerButtons;
void DrawViewerPanel(Console& console);

}  // namespace zeb
