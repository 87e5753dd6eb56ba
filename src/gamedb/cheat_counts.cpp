// Cheat counts from cheat.dat: every line names its game before the first
// ":" and counts one cheat. An empty line, or one that begins with ";" or a
// blank, is skipped together with the line after it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/numbers.h"
#include "storage/work_file.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/import_file.h"

namespace zeb {

void ImportCheatCounts(GameTable& table, Console& console) {
  TextFile file;
  if (!OpenOptionalList(console, file, "cheat.dat", "Cannot Find Cheat.dat", "Sorting Cheats")) return;
  DriverIndex index;
  index.Build(table);

  // Counted from zero for every game, written back as text at the end.
  const int games = TableGames(table);
  std::vector<int64_t> counts(static_cast<std::size_t>(games) + 1, 0);
  while (!file.Eof()) {
    std::string_view line = file.ReadLine();
    if (line.empty() || line[0] == ';' || line[0] == ' ') {
      file.ReadLine();
      continue;
    }
    std::size_t colon = line.find(':');
    std::string_view name = line.substr(0, colon == std::string_view::npos ? 0 : colon);
    for (int32_t game : index.GamesNamed(name)) ++counts[static_cast<std::size_t>(game)];
  }
  file.Close();

  for (int32_t game = 1; game <= games; ++game) {
    int64_t count = counts[static_cast<std::size_t>(game)];
    table.Games[game].CheatCount = count == 0 ? ShortString() : IntText(count);
  }
}

}  // namespace zeb
