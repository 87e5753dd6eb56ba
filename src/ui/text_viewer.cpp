// The file viewer: the line store, its page, its body and its panel.

#include "ui/text_viewer.h"

#include <algorithm>
#include <cstring>

#include "console/colours.h"
#include "storage/file_system.h"
#include "storage/work_file.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/picture.h"

namespace zeb {

namespace {

Outcome ViewFile(Session& session, std::string_view name) {
  LoadTextFile(session.viewer, session.console, name);
  DrawTextPage(session.console, session.viewer);
  return Outcome::Done();
}

constexpr PanelButton FileButtons[] = {
    {7, "ZEB Readme", White, Black, [](Session& s, int) { return ViewFile(s, "readme.txt"); }},
    {9, "ZEB Help", White, Black, [](Session& s, int) { return ViewFile(s, "zebhelp.txt"); }},
    {11, "Mame Guide", White, Black, [](Session& s, int) { return ViewFile(s, "mameguide.txt"); }},
    {17, "Mame Readme", White, Black, [](Session& s, int) { return ViewFile(s, "mame.txt"); }},
    {19, "Whats New", White, Black, [](Session& s, int) { return ViewFile(s, "whatsnew.txt"); }},
    {21, "Game List", White, Black, [](Session& s, int) { return ViewFile(s, "gamelist.txt"); }},
    {23, "Windows", White, Black, [](Session& s, int) { return ViewFile(s, "windows.txt"); }},
};

}  // namespace

void LoadTextFile(Viewer& viewer, Console& console, std::string_view fileName) {
  viewer.ViewerLines.Clear();
  if (!FileExists(fileName)) {
    console.PutText("File Not Available!", 24, 15, White, Red);
    console.Pause(500);
    return;
  }
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
    console.PutText(std::string_view(row, WindowColumns), WindowLeft, WindowTop + r - 1, White, Black);
  }
}

void DrawViewerBody(Console& console) {
  console.PutText("Text Viewer                                                 ", WindowLeft, HeadingRow, White,
                  Magenta);
  // The viewer opens on the picture; a file button shows a file.
  FillBox(console, 0, White, Black, WindowLeft, WindowTop, WindowRight, WindowBottom);
  DrawPicture(console, 3, 6, 0xDB);
}

void DrawViewerPanel(Console& console) {
  console.PutText("    ZEB Files   ", PanelColumn, 5, Black, LightRed);
  console.PutText("   Mame Files   ", PanelColumn, 15, Black, LightGreen);
  DrawPanelButtons(console, FileButtons);
}

Outcome ClickViewerPanel(Session& session, int column, int row) {
  return ClickPanelButton(session, FileButtons, column, row);
}

}  // namespace zeb
