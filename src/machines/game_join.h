#pragma once
// The join of machine summaries to the game table's games by driver name.
// The summaries come, as a rule, in the table's own order (both are the
// emulator's order): each is first tried against the game after the last
// one found, and only a name found elsewhere, or not at all, is looked up
// in an index of the table's names, made at the first such name. Every game
// of a name gets its summary, also when the table names a driver twice.

#include <cstdint>
#include <string_view>
#include <vector>

#include "gamedb/driver_index.h"
#include "machines/machine_info.h"
#include "settings/game_table.h"

namespace zeb {

class GameJoin {
 public:
  // Makes `machines` empty with room for the table's games.
  GameJoin(const GameTable& table, GameMachines& machines);

  // The game whose summary the machine `name` is: 0 when the table has no
  // such game. The caller fills machines.ByGame[game], then calls Assigned.
  int32_t Find(std::string_view name);
  // The summary of `game` is in place: it is also every other game's of
  // that name.
  void Assigned(int32_t game);
  // After the last summary: a game of a name that was given to another
  // game of that name alone gets the same summary.
  void End();

 private:
  const DriverIndex& Index();

  const GameTable& table_;
  GameMachines& machines_;
  int32_t next_ = 1;
  std::vector<int32_t> others_;  // more games of the name Find found
  DriverIndex index_;
  bool indexed_ = false;
};

}  // namespace zeb
