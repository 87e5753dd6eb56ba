#include "gamedb/driver_index.h"

#include <algorithm>
#include <functional>

#include "core/state.h"

namespace zeb {

namespace {

std::string_view NameOf(int32_t game) { return Games[game].DriverName.View(); }

}  // namespace

void DriverIndex::Build() {
  order_.clear();
  for (int32_t game = 1; game <= GameCount; ++game) order_.push_back(game);
  std::ranges::stable_sort(order_, std::less<>{}, NameOf);
}

std::span<const int32_t> DriverIndex::GamesNamed(std::string_view name) const {
  auto found = std::ranges::equal_range(order_, name, std::less<>{}, NameOf);
  return std::span<const int32_t>(found.begin(), found.end());
}

}  // namespace zeb
