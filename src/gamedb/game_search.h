#pragma once
// Finding games by a piece of their driver name or description, the case of
// ASCII letters ignored: what the games list's search shows as one types.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/game_table.h"

namespace zeb {

class GameSearch {
 public:
  // Takes in the driver names and descriptions of games 1 to GameCount as
  // they stand; the search holds its own copy of them, valid until the
  // table's names change.
  void Build(const GameTable& table);
  // Every game, in table order, into `games` (emptied first; its memory is
  // kept for the next call): what an empty text finds.
  void All(std::vector<int32_t>& games) const;
  // Those of `candidates` (game numbers in table order) whose driver name
  // or description contains `text`, into `games` (emptied first). A longer
  // text finds among the games a shorter one found.
  void Narrow(std::string_view text, const std::vector<int32_t>& candidates, std::vector<int32_t>& games) const;
  // Gives back the memory of the texts.
  void Clear();

 private:
  // Per game, its driver name and its description with ASCII letters in
  // lower case, each followed by a 0 byte (which no typed text holds, so a
  // match never runs from one into the next).
  std::string texts_;
  std::vector<uint32_t> starts_;  // where each game's texts start; one more at the end
};

}  // namespace zeb
