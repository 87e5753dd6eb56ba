#pragma once
// The availability of the game table's games with the machine information:
// each game the information names is available when the emulator would
// run it (rom_audit.h); a game it does not name is looked for as its
// archive, as without the information.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "audit/rom_audit.h"
#include "settings/game_table.h"
#include "settings/settings.h"

namespace zeb {

struct TableAudit {
  bool Stopped = false;  // the progress said stop: the table is as it was
  // Why each game judged missing is so, by its driver name.
  std::unordered_map<std::string, std::string> Reasons;
};

// Sets Available ("1" or "0") of games 1 to GameCount; `progress` as for
// AuditAllMachines.
TableAudit AuditGameTable(GameTable& table, const std::vector<MachineInfo>& machines, const Settings& settings,
                          const AuditProgress& progress);

// Why the game of that driver name is not available, with the ROM sets as
// they are now; empty when it is (or the information does not name it).
std::string ExplainMissing(std::string_view driverName, const std::vector<MachineInfo>& machines,
                           const Settings& settings);

}  // namespace zeb
