#pragma once
// The machines of the emulator's list by name: where the audit finds a
// machine's ROM parent, its BIOS and its devices.

#include <cstdint>
#include <string_view>
#include <vector>

#include "audit/name_hash.h"
#include "machines/machine_info.h"

namespace zeb {

class MachineLookup {
 public:
  // Refers to `machines`, which must stay as they are while the lookup is
  // used. Of two machines of one name the first counts.
  explicit MachineLookup(const std::vector<MachineInfo>& machines);

  // Null for a name the list does not hold.
  const MachineInfo* Find(std::string_view name) const;
  // The same, but null also for a machine that lists no ROM files, no disks
  // and no devices: most of a machine's devices, which the audit passes
  // over without reading their records.
  const MachineInfo* FindWithParts(std::string_view name) const;
  const std::vector<MachineInfo>& Machines() const { return *machines_; }

 private:
  // An open table, at most 70% full, whose slot holds a name of up to 14
  // bytes itself: a look reads one slot or a few neighbours, and a machine's
  // record (a cache miss in a list of 40,000) only for a longer name.
  static constexpr std::size_t KeptName = 14;
  struct Slot {
    uint64_t Hash = 0;
    const MachineInfo* Machine = nullptr;
    unsigned char Length = 0;
    bool HasParts = false;
    char Name[KeptName] = {};
  };
  bool Holds(const Slot& slot, uint64_t hash, std::string_view name) const;
  const Slot* SlotOf(std::string_view name) const;
  const std::vector<MachineInfo>* machines_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace zeb
