#pragma once
// The join of machine summaries to the game table's games by driver name.
// The summaries come, as a rule, in the table's own order (both are the
// emulator's order): each is first tried against the game after the last
// one found. A name found elsewhere, or not at all (the devices, which the
// emulator lists after its games, when the table holds none), is looked up:
// in a table sorted by name (as the emulator sorts its games) by a search
// that gallops from the place of the last one, otherwise in an index of the
// table's names. Which of the two is seen at the first such name. Every
// game of a name gets its summary, also when the table names a driver
// twice.

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
  // such game. The caller fills Slot(game), then calls Assigned.
  int32_t Find(std::string_view name);
  // The summary of game `game` (of the table), made at its defaults when it
  // is first asked for: the slots come in order as a rule, each made just
  // before it is filled.
  MachineSummary& Slot(int32_t game) {
    const auto at = static_cast<std::size_t>(game);
    if (at == machines_.ByGame.size()) return machines_.ByGame.emplace_back();
    if (at > machines_.ByGame.size()) machines_.ByGame.resize(at + 1);
    return machines_.ByGame[at];
  }
  // The summary of `game` is in place: it is also every other game's of
  // that name.
  void Assigned(int32_t game);
  // The games without a summary so far.
  int32_t Unnamed() const { return games_ - named_; }
  // After the last summary: a game of a name that was given to another
  // game of that name alone gets the same summary; every game has its slot.
  void End();

 private:
  const DriverIndex& Index();
  // Whether every name is greater than the one before (seen once).
  bool Sorted();
  // In a sorted table: the game of the name, or 0.
  int32_t Search(std::string_view name);

  const GameTable& table_;
  GameMachines& machines_;
  const int32_t games_;
  int32_t next_ = 1;
  int32_t named_ = 0;
  std::vector<int32_t> others_;  // more games of the name Find found
  DriverIndex index_;
  bool indexed_ = false;
  enum class Order : unsigned char { Unknown, Sorted, Unsorted } order_ = Order::Unknown;
  int32_t searched_ = 1;  // where the last search ended
};

}  // namespace zeb
