// The game list: one game per line after a header, the driver name before
// the first blank and the description between the quote in column 11 and
// the closing quote that ends the line. The table holds at most MaxGames
// games; further game lines are counted and left out, and the progress
// output says how many.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "console/console.h"
#include "core/state.h"
#include "core/work_file.h"
#include "gamedb/gamedb.h"

namespace zeb {

namespace {

constexpr std::size_t DescriptionColumn = 11;  // the opening quote

}  // namespace

void ImportGameNames() {
  ProgressLine("Getting Names");
  WorkFile.OpenRead("listfull.txt");
  WorkFile.ReadLine();

  int32_t game = 1;
  long long leftOut = 0;
  while (!WorkFile.Eof()) {
    WorkLine = WorkFile.ReadLine();
    if (game > MaxGames) {
      ++leftOut;
      continue;
    }
    std::string_view line = WorkLine.View();
    std::size_t blank = line.find(' ');
    std::string_view description = line.substr(std::min(line.size(), DescriptionColumn));
    if (!description.empty()) description.remove_suffix(1);

    GameRecord& record = Games[game];
    record = GameRecord{};
    record.DriverName = line.substr(0, blank == std::string_view::npos ? 0 : blank);
    record.Description = description;
    ++game;
  }
  WorkFile.Close();
  GameCount = game - 1;
  if (leftOut > 0) {
    ProgressLine("Left out " + IntText(leftOut).Str() + " game lines: the table holds " + IntText(MaxGames).Str() +
                 " games");
  }
  ScanRomAvailability();
}

}  // namespace zeb
