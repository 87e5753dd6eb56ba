// Cheat counts from cheat.dat: every line names its game before the first
// ":" and counts one cheat. An empty line, or one that begins with ";" or a
// blank, is skipped together with the line after it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/state.h"
#include "storage/work_file.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/import_file.h"

namespace zeb {

void ImportCheatCounts() {
  if (!OpenOptionalList("cheat.dat", "Cannot Find Cheat.dat", "Sorting Cheats")) return;
  DriverIndex index;
  index.Build();

  // Counted from zero for every game, written back as text at the end.
  std::vector<int64_t> counts(static_cast<std::size_t>(GameCount) + 1, 0);
  while (!WorkFile.Eof()) {
    WorkLine = WorkFile.ReadLine();
    if (WorkLine.Empty() || WorkLine[0] == ';' || WorkLine[0] == ' ') {
      WorkFile.ReadLine();
      continue;
    }
    std::string_view line = WorkLine.View();
    std::size_t colon = line.find(':');
    WorkName = line.substr(0, colon == std::string_view::npos ? 0 : colon);
    for (int32_t game : index.GamesNamed(WorkName)) ++counts[static_cast<std::size_t>(game)];
  }
  WorkFile.Close();

  for (int32_t game = 1; game <= GameCount; ++game) {
    int64_t count = counts[static_cast<std::size_t>(game)];
    Games[game].CheatCount = count == 0 ? ShortString() : IntText(count);
  }
}

}  // namespace zeb
