#include "audit/game_table_audit.h"

#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"

namespace zeb {

TableAudit AuditGameTable(GameTable& table, const std::vector<MachineInfo>& machines, const Settings& settings,
                          const AuditProgress& progress) {
  TableAudit audit;
  const MachineLookup lookup(machines);
  AuditResult result = AuditAllMachines(lookup, settings, progress);
  if (result.Stopped) {
    audit.Stopped = true;
    return audit;
  }
  DriverIndex index;
  index.Build(table);
  std::vector<bool> judged(static_cast<std::size_t>(TableGames(table)) + 1, false);
  const std::vector<MachineInfo>& listed = lookup.Machines();
  for (std::size_t i = 0; i < result.Verdicts.size() && i < listed.size(); ++i) {
    const MachineVerdict& verdict = result.Verdicts[i];
    for (int32_t game : index.GamesNamed(listed[i].Name)) {
      if (judged[static_cast<std::size_t>(game)]) continue;
      judged[static_cast<std::size_t>(game)] = true;
      table.Games[game].Available = verdict.AvailableText();
      if (!verdict.Available()) audit.Reasons[listed[i].Name] = verdict.Reason;
    }
  }
  for (int32_t game = 1; game <= TableGames(table); ++game) {
    if (judged[static_cast<std::size_t>(game)]) continue;
    GameRecord& record = table.Games[game];
    record.Available = RomArchiveExists(settings, record.DriverName) ? "1" : "0";
  }
  return audit;
}

std::string ExplainMissing(std::string_view driverName, const std::vector<MachineInfo>& machines,
                           const Settings& settings) {
  const MachineLookup lookup(machines);
  const MachineInfo* machine = lookup.Find(driverName);
  if (machine == nullptr) return {};
  RomSets sets(RomDirectories(settings));
  RomAudit audit(lookup, sets);
  return audit.Judge(*machine).Reason;
}

}  // namespace zeb
