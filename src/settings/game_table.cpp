#include "settings/game_table.h"

#include <algorithm>
#include <utility>

#include "storage/fatal.h"

namespace zeb {

ShortString& GameField(GameRecord& record, int field) {
  return const_cast<ShortString&>(GameField(std::as_const(record), field));
}

const ShortString& GameField(const GameRecord& record, int field) {
  if (field < 1 || field > FieldsPerGame) FatalTableIndex(field, FieldsPerGame);
  return record.*GameFields[field - 1];
}

int TableGames(const GameTable& table) { return std::clamp(table.GameCount, 0, MaxGames); }

void CountAvailableGames(GameTable& table) {
  table.AvailableCount = 0;
  for (int game = 1; game <= TableGames(table); ++game) {
    if (!(table.Games[game].Available == "0")) ++table.AvailableCount;
  }
}

}  // namespace zeb
