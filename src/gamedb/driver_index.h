#pragma once
// Game numbers by driver name, for the imports that look games up by the
// names their files give. A lookup finds every game whose DriverName equals
// the name exactly, in table order, as a scan of games 1 to GameCount would.
// The index is built from the table as it stands and holds views of its
// driver names; it is valid until a DriverName or GameCount changes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "settings/game_table.h"

namespace zeb {

class DriverIndex {
 public:
  void Build(const GameTable& table);
  std::span<const int32_t> GamesNamed(std::string_view name) const;

 private:
  // The games of one driver name: order_[First] to order_[First + Count - 1].
  struct Group {
    std::string_view Name;
    int32_t First;
    int32_t Count;
  };
  // The hash slot that holds the name's group, or the empty slot where it
  // would go.
  std::size_t Slot(std::string_view name) const;

  std::vector<Group> groups_;    // one per distinct name, views of the table's texts
  std::vector<int32_t> slots_;   // group number + 1, or 0 for an empty slot
  std::vector<int32_t> order_;   // game numbers grouped by name, each group in table order
};

}  // namespace zeb
