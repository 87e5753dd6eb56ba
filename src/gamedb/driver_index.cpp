#include "gamedb/driver_index.h"

#include <algorithm>
#include <cstdint>


namespace zeb {

namespace {

// FNV-1a over the bytes of the name.
uint64_t NameHash(std::string_view name) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::size_t DriverIndex::Slot(std::string_view name) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t slot = static_cast<std::size_t>(NameHash(name)) & mask;
  while (slots_[slot] != 0 && groups_[static_cast<std::size_t>(slots_[slot] - 1)].Name != name) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

void DriverIndex::Build(const GameTable& table) {
  std::size_t games = static_cast<std::size_t>(TableGames(table));
  std::size_t size = 16;
  while (size < 2 * games) size *= 2;
  slots_.assign(size, 0);
  groups_.clear();

  // Every distinct name gets a group, in the order of its first game.
  std::vector<int32_t> groupOf(games);
  for (std::size_t i = 0; i < games; ++i) {
    std::string_view name = table.Games[static_cast<int>(i + 1)].DriverName.View();
    std::size_t slot = Slot(name);
    if (slots_[slot] == 0) {
      groups_.push_back(Group{name, 0, 0});
      slots_[slot] = static_cast<int32_t>(groups_.size());
    }
    groupOf[i] = slots_[slot] - 1;
    ++groups_[static_cast<std::size_t>(groupOf[i])].Count;
  }

  // The games of each group side by side, in table order.
  int32_t next = 0;
  for (Group& group : groups_) {
    group.First = next;
    next += group.Count;
    group.Count = 0;
  }
  order_.assign(games, 0);
  for (std::size_t i = 0; i < games; ++i) {
    Group& group = groups_[static_cast<std::size_t>(groupOf[i])];
    order_[static_cast<std::size_t>(group.First + group.Count++)] = static_cast<int32_t>(i + 1);
  }
}

std::span<const int32_t> DriverIndex::GamesNamed(std::string_view name) const {
  if (slots_.empty()) return {};
  int32_t found = slots_[Slot(name)];
  if (found == 0) return {};
  const Group& group = groups_[static_cast<std::size_t>(found - 1)];
  return std::span<const int32_t>(order_).subspan(static_cast<std::size_t>(group.First),
                                                  static_cast<std::size_t>(group.Count));
}

}  // namespace zeb
