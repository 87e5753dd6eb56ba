// The file viewer: the line store, its page, its body and its panel.

#include "ui/text_viewer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "console/colours.h"
#include "console/console.h"
#include "storage/file_system.h"
#include "storage/state.h"
#include "storage/work_file.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/picture.h"

namespace zeb {

namespace {

void ViewFile(std::string_view name) {
  LoadTextFile(name);
  DrawTextPage(TopLine, ColumnOffset);
}

constexpr PanelButton FileButtons[] = {
    {7, "ZEB Readme", White, Black, [](int) { ViewFile("readme.txt"); }},
    {9, "ZEB Help", White, Black, [](int) { ViewFile("zebhelp.txt"); }},
    {11, "Mame Guide", White, Black, [](int) { ViewFile("mameguide.txt"); }},
    {17, "Mame Readme", White, Black, [](int) { ViewFile("mame.txt"); }},
    {19, "Whats New", White, Black, [](int) { ViewFile("whatsnew.txt"); }},
    {21, "Game List", White, Black, [](int) { ViewFile("gamelist.txt"); }},
    {23, "Windows", White, Black, [](int) { ViewFile("windows.txt"); }},
};

}  // namespace

void LoadTextFile(std::string_view fileName) {
  ViewerLines.Clear();
  if (!FileExists(fileName)) {
    PutText("File Not Available!", 24, 15, White, Red);
    Pause(500);
    return;
  }
  WorkFile.OpenRead(fileName);
  int line = 1;
  // The store holds 5000 lines; the rest of a longer file is not read.
  while (line <= MaxViewerLines && !WorkFile.Eof()) {
    ViewerLines[line] = WorkFile.ReadLine();
    ++line;
  }
  EntryCount = line;
  TopLine = 0;
  ColumnOffset = 0;
  FileLoaded = 1;
  WorkFile.Close();
}

void DrawTextPage(int top, int left) {
  for (int r = 1; r <= WindowRows; ++r) {
    // 64-bit, so that no top value can overflow the line number.
    long long line = static_cast<long long>(top) + r;
    std::string_view text;
    if (line >= 1 && line <= MaxViewerLines) text = std::as_const(ViewerLines)[static_cast<int>(line)].View();
    if (left > 0) text.remove_prefix(std::min(static_cast<std::size_t>(left), text.size()));
    text = text.substr(0, std::min<std::size_t>(text.size(), WindowColumns));
    char row[WindowColumns];
    std::memset(row, ' ', sizeof row);
    if (!text.empty()) std::memcpy(row, text.data(), text.size());
    PutText(std::string_view(row, WindowColumns), WindowLeft, WindowTop + r - 1, White, Black);
  }
}

void DrawViewerBody() {
  PutText("Text Viewer                                                 ", WindowLeft, HeadingRow, White, Magenta);
  // The viewer opens on the picture; a file button shows a file.
  FillBox(0, White, Black, WindowLeft, WindowTop, WindowRight, WindowBottom);
  DrawPicture(3, 6, 0xDB);
}

void DrawViewerPanel() {
  PutText("    ZEB Files   ", PanelColumn, 5, Black, LightRed);
  PutText("   Mame Files   ", PanelColumn, 15, Black, LightGreen);
  DrawPanelButtons(FileButtons);
}

void ClickViewerPanel(int column, int row) { ClickPanelButton(FileButtons, column, row); }

}  // namespace zeb
