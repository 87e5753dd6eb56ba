#pragma once
// The game table: one record per game that the emulator knows, in the order
// of its game list (sorted by driver name). A game's number in the table is
// how the games list, the selection and the launch refer to it. zeb.ini
// keeps the table with the settings, six lines a game, so the record's
// fields and their numbers 1 to 6 are defined here.

#include <cstdint>

#include "storage/fixed_table.h"
#include "storage/short_string.h"

namespace zeb {

constexpr int MaxGames = 100000;

// One game. Available is the text the table stores: "1" available, "0"
// missing; any other text (a hand-edited file) counts as available and is
// listed by neither the "Available" nor the "Missing" filter.
struct GameRecord {
  ShortString DriverName;
  ShortString Description;
  ShortString CloneOf;
  ShortString Category;
  ShortString Available;
  ShortString CheatCount;
};

struct GameTable {
  FixedTable<GameRecord, MaxGames> Games;
  int32_t GameCount = 0;       // games 1 to GameCount are in use
  int32_t AvailableCount = 0;  // of those, the ones whose Available is not "0"
  ShortString MameVersion = "None Loaded";  // the emulator the table came from
};

constexpr int FieldsPerGame = 6;

// The fields in the order of GameRecord: field n is GameFields[n - 1].
inline constexpr ShortString GameRecord::* GameFields[FieldsPerGame] = {
    &GameRecord::DriverName, &GameRecord::Description, &GameRecord::CloneOf,
    &GameRecord::Category,   &GameRecord::Available,   &GameRecord::CheatCount,
};

// Field 1 to 6 of a game record, in the order of GameRecord.
ShortString& GameField(GameRecord& record, int field);
const ShortString& GameField(const GameRecord& record, int field);

// The games the table holds, never more than it can hold.
int TableGames(const GameTable& table);

// AvailableCount anew from the flags of games 1 to GameCount.
void CountAvailableGames(GameTable& table);

}  // namespace zeb
