#pragma once
// The machines of the emulator's list by name: where the audit finds a
// machine's ROM parent, its BIOS and its devices.

#include <string_view>
#include <unordered_map>
#include <vector>

#include "machines/machine_info.h"

namespace zeb {

class MachineLookup {
 public:
  // Refers to `machines`, which must stay as they are while the lookup is
  // used. Of two machines of one name the first counts.
  explicit MachineLookup(const std::vector<MachineInfo>& machines);

  // Null for a name the list does not hold.
  const MachineInfo* Find(std::string_view name) const;
  const std::vector<MachineInfo>& Machines() const { return *machines_; }

 private:
  const std::vector<MachineInfo>* machines_;
  std::unordered_map<std::string_view, const MachineInfo*> byName_;
};

}  // namespace zeb
