// The clone list: one clone per line after a header, the clone's driver name
// before the first blank and its parent's from column 10 (or where the
// header's "Clone of:" starts) to the next blank.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "storage/work_file.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/list_layout.h"

namespace zeb {

namespace {

constexpr std::size_t ParentColumn = 9;  // 0-based: column 10

}  // namespace

void ImportClones(GameTable& table, Console& console) {
  console.ProgressLine();
  console.ProgressLine("Getting Clones");
  DriverIndex index;
  index.Build(table);
  TextFile file;
  file.OpenRead("listclones.txt");
  const ListLayout layout = ReadListLayout(file.ReadLine(), "Clone of:", ParentColumn);
  while (!file.Eof()) {
    std::string_view line = file.ReadLine();
    std::size_t blank = line.find(' ');
    std::string_view name = line.substr(0, blank == std::string_view::npos ? 0 : blank);
    std::string_view parent = line.substr(std::min(line.size(), SecondColumn(layout, line, 0)));
    parent = parent.substr(0, parent.find(' '));
    for (int32_t game : index.GamesNamed(name)) table.Games[game].CloneOf = parent;
  }
  file.Close();
}

}  // namespace zeb
