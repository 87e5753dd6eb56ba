#include "ui/text_viewer.h"

#include <algorithm>
#include <cstring>

#include "console/console.h"
#include "core/file_system.h"
#include "core/state.h"
#include "core/work_file.h"

namespace zeb {

namespace {

constexpr int PageRows = 21;
constexpr int PageWidth = 60;
constexpr int PageColumn = 2;
constexpr int FirstPageRow = 4;

}  // namespace

void LoadTextFile(std::string_view fileName) {
  ViewerLines.Fill(ShortString{});
  if (!FileExists(fileName)) {
    PutText("File Not Available!", 24, 15, 15, 4);
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
  for (int r = 1; r <= PageRows; ++r) {
    // 64-bit, so that no top value can overflow the line number.
    long long line = static_cast<long long>(top) + r;
    std::string_view text;
    if (line >= 1 && line <= MaxViewerLines) text = ViewerLines[static_cast<int>(line)].View();
    if (left > 0) text.remove_prefix(std::min(static_cast<std::size_t>(left), text.size()));
    text = text.substr(0, std::min<std::size_t>(text.size(), PageWidth));
    char row[PageWidth];
    std::memset(row, ' ', sizeof row);
    if (!text.empty()) std::memcpy(row, text.data(), text.size());
    PutText(std::string_view(row, PageWidth), PageColumn, FirstPageRow + r - 1, 15, 0);
  }
}

}  // namespace zeb
