#include "gamedb/driver_index.h"

#include <algorithm>

#include "core/state.h"

namespace zeb {

namespace {

std::string_view NameOf(int32_t game) { return Games[game].DriverName.View(); }

// Game numbers ordered by their driver names, and names against game numbers.
// (Plain algorithms rather than their range forms: the Clang of the fuzz
// build cannot compile the latter with this standard library.)
struct ByName {
  bool operator()(int32_t a, int32_t b) const { return NameOf(a) < NameOf(b); }
  bool operator()(int32_t game, std::string_view name) const { return NameOf(game) < name; }
  bool operator()(std::string_view name, int32_t game) const { return name < NameOf(game); }
};

}  // namespace

void DriverIndex::Build() {
  order_.clear();
  for (int32_t game = 1; game <= GameCount; ++game) order_.push_back(game);
  std::stable_sort(order_.begin(), order_.end(), ByName{});
}

std::span<const int32_t> DriverIndex::GamesNamed(std::string_view name) const {
  auto found = std::equal_range(order_.begin(), order_.end(), name, ByName{});
  return std::span<const int32_t>(found.first, found.second);
}

}  // namespace zeb
