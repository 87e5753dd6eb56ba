#include "audit/machine_lookup.h"

namespace zeb {

MachineLookup::MachineLookup(const std::vector<MachineInfo>& machines) : machines_(&machines) {
  byName_.reserve(machines.size());
  for (const MachineInfo& machine : machines) byName_.emplace(machine.Name, &machine);
}

const MachineInfo* MachineLookup::Find(std::string_view name) const {
  auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

}  // namespace zeb
