// The entries of the game table that the emulator cannot run as games.

#include <utility>

#include "machines/machine_file.h"

namespace zeb {

int32_t LeaveOutNonGames(GameTable& table, GameMachines& machines) {
  if (!machines.Known()) return 0;
  const int32_t count = TableGames(table);
  int32_t kept = 0;
  for (int32_t game = 1; game <= count; ++game) {
    const MachineSummary* summary = machines.Of(game);
    if (summary != nullptr && (summary->IsDevice || !summary->Runnable)) continue;
    ++kept;
    if (kept == game) continue;
    table.Games[kept] = std::move(table.Games[game]);
    const auto from = static_cast<std::size_t>(game);
    const auto to = static_cast<std::size_t>(kept);
    machines.ByGame[to] = std::move(machines.ByGame[from]);
    machines.Named[to] = machines.Named[from];
  }
  for (int32_t game = kept + 1; game <= count; ++game) table.Games[game] = GameRecord{};
  machines.ByGame.resize(static_cast<std::size_t>(kept) + 1);
  machines.Named.resize(static_cast<std::size_t>(kept) + 1);
  table.GameCount = kept;
  return count - kept;
}

}  // namespace zeb
