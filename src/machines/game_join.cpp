#include "machines/game_join.h"

#include <algorithm>

#include "machines/machine_file.h"

namespace zeb {

GameJoin::GameJoin(const GameTable& table, GameMachines& machines)
    : table_(table), machines_(machines), games_(TableGames(table)) {
  const auto slots = static_cast<std::size_t>(games_) + 1;
  machines_.ByGame.clear();
  machines_.ByGame.reserve(slots);
  machines_.ByGame.resize(1);
  machines_.Named.assign(slots, false);
}

bool GameJoin::Sorted() {
  if (order_ == Order::Unknown) {
    order_ = Order::Sorted;
    for (int32_t game = 2; game <= games_ && order_ == Order::Sorted; ++game) {
      if (!(table_.Games[game - 1].DriverName.View() < table_.Games[game].DriverName.View())) order_ = Order::Unsorted;
    }
  }
  return order_ == Order::Sorted;
}

int32_t GameJoin::Search(std::string_view name) {
  if (games_ == 0) return 0;
  auto before = [&](int32_t game) { return table_.Games[game].DriverName.View() < name; };
  // The first game not before the name lies in (low, high], where low is 0
  // or before it and high past the table or not before it: found by steps
  // that double from the last search's place, then by halves.
  const int32_t from = std::clamp(searched_, 1, games_);
  int32_t low, high, step = 1;
  if (before(from)) {
    low = from;
    while (low + step <= games_ && before(low + step)) {
      low += step;
      step *= 2;
    }
    high = std::min(low + step, games_ + 1);
  } else {
    high = from;
    while (high - step >= 1 && !before(high - step)) {
      high -= step;
      step *= 2;
    }
    low = std::max(high - step, 0);
  }
  while (high - low > 1) {
    const int32_t middle = low + (high - low) / 2;
    if (before(middle)) {
      low = middle;
    } else {
      high = middle;
    }
  }
  searched_ = std::min(high, games_);
  return high <= games_ && table_.Games[high].DriverName.View() == name ? high : 0;
}

const DriverIndex& GameJoin::Index() {
  if (!indexed_) {
    index_.Build(table_);
    indexed_ = true;
  }
  return index_;
}

int32_t GameJoin::Find(std::string_view name) {
  others_.clear();
  if (next_ <= games_ && table_.Games[next_].DriverName.View() == name) return next_++;
  if (Sorted()) {
    const int32_t game = Search(name);
    if (game != 0) next_ = game + 1;
    return game;
  }
  std::span<const int32_t> named = Index().GamesNamed(name);
  if (named.empty()) return 0;
  others_.assign(named.begin() + 1, named.end());
  next_ = named.back() + 1;
  return named.front();
}

void GameJoin::Assigned(int32_t game) {
  const auto at = static_cast<std::size_t>(game);
  named_ += machines_.Named[at] ? 0 : 1;
  machines_.Named[at] = true;
  for (int32_t other : others_) {
    Slot(other) = machines_.ByGame[at];
    named_ += machines_.Named[static_cast<std::size_t>(other)] ? 0 : 1;
    machines_.Named[static_cast<std::size_t>(other)] = true;
  }
}

void GameJoin::End() {
  machines_.ByGame.resize(static_cast<std::size_t>(games_) + 1);
  // No name is given twice in a sorted table.
  if (Unnamed() == 0 || Sorted()) return;
  for (int32_t game = 1; game <= games_; ++game) {
    if (machines_.Named[static_cast<std::size_t>(game)]) continue;
    for (int32_t other : Index().GamesNamed(table_.Games[game].DriverName.View())) {
      if (!machines_.Named[static_cast<std::size_t>(other)]) continue;
      machines_.ByGame[static_cast<std::size_t>(game)] = machines_.ByGame[static_cast<std::size_t>(other)];
      machines_.Named[static_cast<std::size_t>(game)] = true;
      ++named_;
      break;
    }
  }
}

GameMachines JoinGameMachines(const GameTable& table, const std::vector<NamedSummary>& summaries) {
  GameMachines machines;
  GameJoin join(table, machines);
  for (const NamedSummary& summary : summaries) {
    const int32_t game = join.Find(summary.Name);
    if (game == 0) continue;
    join.Slot(game) = summary.Summary;
    join.Assigned(game);
  }
  join.End();
  return machines;
}

}  // namespace zeb
