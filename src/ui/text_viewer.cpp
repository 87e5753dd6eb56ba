// The file viewer: the line store, its page, its body and its panel.

#include "ui/text_viewer.h"

#include <algorithm>
#include <cstring>

#include "console/colours.h"
#include "storage/file_system.h"
#include "storage/work_file.h"
#include "ui/layout.h"
#include "ui/picture.h"

namespace zeb {

namespace {

constexpr Colours FileButton{Black, White};

constexpr PanelButton FileButtons[] = {
    {7, "ZEB Readme", FileButton, ButtonAction::ViewFile, "readme.txt"},
    {9, "ZEB Help", FileButton, ButtonAction::ViewFile, "zebhelp.txt"},
    {11, "Mame Guide", FileButton, ButtonAction::ViewFile, "mameguide.txt"},
    {17, "Mame Readme", FileButton, ButtonAction::ViewFile, "mame.txt"},
    {19, "Whats New", FileButton, ButtonAction::ViewFile, "whatsnew.txt"},
    {21, "Game List", FileButton, ButtonAction::ViewFile, "gamelist.txt"},
    {23, "Windows", FileButton, ButtonAction::ViewFile, "windows.txt"},
};

}  // namespace

const std::span<const PanelButton> ViewerButtons = FileButtons;

void LoadTextFile(Viewer& viewer, std::string_view fileName) {
  viewer.ViewerLines.Clear();
  TextFile file;
  file.OpenRead(fileName);
  int line = 1;
  // The store holds 5000 lines; the rest of a longer file is not read.
  while (line <= MaxViewerLines && !file.Eof()) {
    viewer.ViewerLines[line] = file.ReadLine();
    ++line;
  }
  viewer.Window.EntryCount = line;
  viewer.Window.TopLine = 0;
  viewer.Window.ColumnOffset = 0;
  viewer.FileLoaded = true;
  file.Close();
}

Outcome ViewFile(Viewer& viewer, std::string_view fileName) {
  if (!FileExists(fileName)) {
    // The window, its scroll and FileLoaded stay as they were.
    viewer.FileMissingShown = true;
    return Outcome::Starting(Task::FileMissing);
  }
  LoadTextFile(viewer, fileName);
  viewer.PageShown = true;
  return {};
}

void EndFileMissing(Viewer& viewer) {
  viewer.ViewerLines.Clear();
  viewer.FileMissingShown = false;
  viewer.PageShown = true;
}

void DrawTextPage(Console& console, const Viewer& viewer) {
  const int32_t top = viewer.Window.TopLine;
  const int32_t left = viewer.Window.ColumnOffset;
  for (int r = 1; r <= WindowRows; ++r) {
    // 64-bit, so that no top value can overflow the line number.
    long long line = static_cast<long long>(top) + r;
    std::string_view text;
    if (line >= 1 && line <= MaxViewerLines) text = viewer.ViewerLines[static_cast<int>(line)].View();
    if (left > 0) text.remove_prefix(std::min(static_cast<std::size_t>(left), text.size()));
    text = text.substr(0, std::min<std::size_t>(text.size(), WindowColumns));
    char row[WindowColumns];
    std::memset(row, ' ', sizeof row);
    if (!text.empty()) std::memcpy(row, text.data(), text.size());
    console.PutText(std::string_view(row, WindowColumns), {WindowLeft, WindowTop + r - 1}, {White, Black});
  }
}

void DrawViewerBody(Console& console, const Viewer& viewer) {
  console.PutText("Text Viewer                                                 ", {WindowLeft, HeadingRow},
                  {White, Magenta});
  if (viewer.PageShown) {
    DrawTextPage(console, viewer);
  } else {
    // The viewer opens on the picture; a file button shows a file.
    FillBox(console, Fill::Solid, {WindowLeft, WindowTop}, {WindowRight, WindowBottom}, {Black, White});
    DrawPicture(console, 0xDB, {3, 6});
  }
  if (viewer.FileMissingShown) console.PutText("File Not Available!", {24, 15}, {White, Red});
}

void DrawViewerPanel(Console& console) {
  console.PutText("    ZEB Files   ", {PanelColumn, 5}, {Black, LightRed});
  console.PutText("   Mame Files   ", {PanelColumn, 15}, {Black, LightGreen});
  DrawPanelButtons(console, FileButtons);
}

}  // namespace zeb
