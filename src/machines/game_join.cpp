#include "machines/game_join.h"

#include "machines/machine_file.h"

namespace zeb {

GameJoin::GameJoin(const GameTable& table, GameMachines& machines) : table_(table), machines_(machines) {
  const auto games = static_cast<std::size_t>(TableGames(table)) + 1;
  machines_.ByGame.clear();
  machines_.ByGame.resize(games);
  machines_.Named.assign(games, false);
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
  const int32_t games = TableGames(table_);
  if (next_ <= games && table_.Games[next_].DriverName.View() == name) return next_++;
  std::span<const int32_t> named = Index().GamesNamed(name);
  if (named.empty()) return 0;
  others_.assign(named.begin() + 1, named.end());
  next_ = named.back() + 1;
  return named.front();
}

void GameJoin::Assigned(int32_t game) {
  const auto at = static_cast<std::size_t>(game);
  machines_.Named[at] = true;
  for (int32_t other : others_) {
    machines_.ByGame[static_cast<std::size_t>(other)] = machines_.ByGame[at];
    machines_.Named[static_cast<std::size_t>(other)] = true;
  }
}

void GameJoin::End() {
  const int32_t games = TableGames(table_);
  bool unnamed = false;
  for (int32_t game = 1; game <= games && !unnamed; ++game) unnamed = !machines_.Named[static_cast<std::size_t>(game)];
  if (!unnamed) return;
  for (int32_t game = 1; game <= games; ++game) {
    if (machines_.Named[static_cast<std::size_t>(game)]) continue;
    for (int32_t other : Index().GamesNamed(table_.Games[game].DriverName.View())) {
      if (!machines_.Named[static_cast<std::size_t>(other)]) continue;
      machines_.ByGame[static_cast<std::size_t>(game)] = machines_.ByGame[static_cast<std::size_t>(other)];
      machines_.Named[static_cast<std::size_t>(game)] = true;
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
    machines.ByGame[static_cast<std::size_t>(game)] = summary.Summary;
    join.Assigned(game);
  }
  join.End();
  return machines;
}

}  // namespace zeb
