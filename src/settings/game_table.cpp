#include "settings/game_table.h"

#include <algorithm>
#include <utility>

#include "storage/fatal.h"

namespace zeb {

ShortString& GameField(GameRecord& record, int field) {
  return const_cast<ShortString&>(GameField(std::as_const(record), field));
}

const ShortString& GameField(const GameRecord& record, int field) {
  switch (field) {
    case 1: return record.DriverName;
    case 2: return record.Description;
    case 3: return record.CloneOf;
    case 4: return record.Category;
    case 5: return record.Available;
    case 6: return record.CheatCount;
    default: FatalTableIndex(field, FieldsPerGame);
  }
}

int TableGames(const GameTable& table) { return std::clamp(table.GameCount, 0, MaxGames); }

void CountAvailableGames(GameTable& table) {
  table.AvailableCount = 0;
  for (int game = 1; game <= TableGames(table); ++game) {
    if (!(table.Games[game].Available == "0")) ++table.AvailableCount;
  }
}

}  // namespace zeb
