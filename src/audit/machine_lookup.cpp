#include "audit/machine_lookup.h"

#include <algorithm>

namespace zeb {

MachineLookup::MachineLookup(const std::vector<MachineInfo>& machines) : machines_(&machines) {
  std::size_t size = 16;
  while (size * 7 < machines.size() * 10) size *= 2;
  slots_.resize(size);
  mask_ = size - 1;
  for (const MachineInfo& machine : machines) {
    uint64_t hash = NameHash()(machine.Name);
    std::size_t at = hash & mask_;
    while (slots_[at].Machine != nullptr && !Holds(slots_[at], hash, machine.Name)) at = (at + 1) & mask_;
    if (slots_[at].Machine != nullptr) continue;  // the first of two machines of one name counts
    Slot& slot = slots_[at];
    slot.Hash = hash;
    slot.Machine = &machine;
    slot.HasParts = !machine.Roms.empty() || !machine.Disks.empty() || !machine.DeviceRefs.empty();
    if (machine.Name.size() <= KeptName) {
      slot.Length = static_cast<unsigned char>(machine.Name.size());
      std::copy(machine.Name.begin(), machine.Name.end(), slot.Name);
    }
  }
}

bool MachineLookup::Holds(const Slot& slot, uint64_t hash, std::string_view name) const {
  if (slot.Hash != hash) return false;
  if (name.size() <= KeptName) return slot.Length == name.size() && std::equal(name.begin(), name.end(), slot.Name);
  return slot.Machine->Name == name;
}

const MachineLookup::Slot* MachineLookup::SlotOf(std::string_view name) const {
  uint64_t hash = NameHash()(name);
  for (std::size_t at = hash & mask_; slots_[at].Machine != nullptr; at = (at + 1) & mask_) {
    if (Holds(slots_[at], hash, name)) return &slots_[at];
  }
  return nullptr;
}

const MachineInfo* MachineLookup::Find(std::string_view name) const {
  const Slot* slot = SlotOf(name);
  return slot == nullptr ? nullptr : slot->Machine;
}

const MachineInfo* MachineLookup::FindWithParts(std::string_view name) const {
  const Slot* slot = SlotOf(name);
  return slot == nullptr || !slot->HasParts ? nullptr : slot->Machine;
}

}  // namespace zeb
