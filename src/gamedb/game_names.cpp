// The game list: one game per line after a header, the driver name before
// the first blank and the description between the opening quote (column 11,
// or where the header's "Description:" starts) and the closing quote that
// ends the line. The table holds at most MaxGames
// games; further game lines are counted and left out, and the progress
// output says how many.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "storage/numbers.h"
#include "storage/work_file.h"
#include "gamedb/code_page.h"
#include "gamedb/gamedb.h"
#include "gamedb/list_layout.h"

namespace zeb {

namespace {

constexpr std::size_t QuoteColumn = 10;  // 0-based: the opening quote in column 11

}  // namespace

void ImportGameNames(GameTable& table, const Settings& settings, Console& console) {
  console.ProgressLine("Getting Names");
  TextFile file;
  file.OpenRead("listfull.txt");
  const ListLayout layout = ReadListLayout(file.ReadLine(), "Description:", QuoteColumn);

  int32_t game = 1;
  long long leftOut = 0;
  while (!file.Eof()) {
    std::string_view line = file.ReadLine();
    if (game > MaxGames) {
      ++leftOut;
      continue;
    }
    std::size_t blank = line.find(' ');
    std::string_view description = line.substr(std::min(line.size(), SecondColumn(layout, line, '"') + 1));
    if (!description.empty()) description.remove_suffix(1);

    GameRecord& record = table.Games[game];
    record = GameRecord{};
    record.DriverName = line.substr(0, blank == std::string_view::npos ? 0 : blank);
    StoreListText(record.Description, description);
    ++game;
  }
  file.Close();
  table.GameCount = game - 1;
  if (leftOut > 0) {
    console.ProgressLine("Left out " + IntText(leftOut).Str() + " game lines: the table holds " +
                         IntText(MaxGames).Str() + " games");
  }
  ScanRomAvailability(table, settings, console);
}

bool HasGameLine() {
  TextFile file;
  file.OpenRead("listfull.txt");
  file.ReadLine();
  bool found = false;
  while (!found && !file.Eof()) {
    std::size_t blank = file.ReadLine().find(' ');
    found = blank != std::string_view::npos && blank > 0;
  }
  file.Close();
  return found;
}

}  // namespace zeb
