// The clone list: one clone per line after a header, the clone's driver name
// before the first blank and its parent's from column 10 (or where the
// header's "Clone of:" starts) to the next blank.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "console/console.h"
#include "storage/state.h"
#include "storage/work_file.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/list_layout.h"

namespace zeb {

namespace {

constexpr std::size_t ParentColumn = 9;  // 0-based: column 10

}  // namespace

void ImportClones() {
  ProgressLine();
  ProgressLine("Getting Clones");
  DriverIndex index;
  index.Build();
  WorkFile.OpenRead("listclones.txt");
  WorkLine = WorkFile.ReadLine();
  const ListLayout layout = ReadListLayout(WorkLine.View(), "Clone of:", ParentColumn);
  while (!WorkFile.Eof()) {
    WorkLine = WorkFile.ReadLine();
    std::string_view line = WorkLine.View();
    std::size_t blank = line.find(' ');
    WorkName = line.substr(0, blank == std::string_view::npos ? 0 : blank);
    std::string_view parent = line.substr(std::min(line.size(), SecondColumn(layout, line, 0)));
    parent = parent.substr(0, parent.find(' '));
    for (int32_t game : index.GamesNamed(WorkName)) Games[game].CloneOf = parent;
  }
  WorkFile.Close();
}

}  // namespace zeb
