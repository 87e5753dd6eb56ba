#include "audit/rom_audit.h"

#include <algorithm>

#include "storage/numbers.h"

namespace zeb {

// One file the machine or one of its devices lists, and what the look for
// it found.
struct RomAudit::Record {
  const RomFile* Rom = nullptr;
  const DiskFile* Disk = nullptr;
  const MachineInfo* Device = nullptr;  // whose file it is; null for the machine's own
  RomSets::Places* DeviceSet = nullptr;
  bool Needed = false;
  bool NoDump = false;
  bool Shared = false;  // also a file of the ROM parent chain, or a device's
  int Sharer = -1;      // the farthest ancestor (index into the chain) that lists it
  FileLook Look = FileLook::Absent;
  bool WrongIsShared = false;  // an incorrect file that holds a ROM of the parent chain
  std::string Problem;         // why a disk's file does not count
  std::string_view Name() const { return Rom != nullptr ? std::string_view(Rom->Name) : std::string_view(Disk->Name); }
};

struct RomAudit::Judging {
  const MachineInfo* Machine = nullptr;
  std::vector<const MachineInfo*> Chain;  // the ROM parent chain, nearest first
  std::vector<std::string_view> Path;     // the sets: the machine's, then each RomOf
  std::vector<RomSets::Places*> PathSets;  // what the directories hold of each
  std::vector<Record> Records;
  // Kept from one machine to the next, for their memory.
  std::vector<const MachineInfo*> Devices, Seen, Pending;

  void Clear() {
    Chain.clear();
    Path.clear();
    PathSets.clear();
    Records.clear();
    Devices.clear();
  }
};

using Record = RomAudit::Record;
using Judging = RomAudit::Judging;

namespace {

// Longer chains are taken for loops the walk did not see.
constexpr std::size_t MaxChain = 64;
constexpr std::size_t MaxReason = 78;
constexpr std::size_t ProgressEvery = 64;

std::string Text(std::size_t n) { return std::string(IntText(static_cast<long long>(n)).View()); }

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void WalkChain(const MachineLookup& machines, Judging& judging) {
  judging.Path.push_back(judging.Machine->Name);
  std::string_view next = judging.Machine->RomOf.View();
  while (!next.empty() && !Contains(judging.Path, next) && judging.Path.size() <= MaxChain) {
    judging.Path.push_back(next);
    const MachineInfo* parent = machines.Find(next);
    if (parent == nullptr) break;
    judging.Chain.push_back(parent);
    next = parent->RomOf.View();
  }
}

// The farthest ancestor that lists the same ROM (CRC-32 and size) or disk
// (SHA-1); a file with a merge name and no such ancestor counts as shared
// with the parent.
int SharerOf(const Judging& judging, const RomFile* rom, const DiskFile* disk) {
  int sharer = -1;
  for (std::size_t i = 0; i < judging.Chain.size(); ++i) {
    const MachineInfo& ancestor = *judging.Chain[i];
    bool lists = false;
    if (rom != nullptr && rom->HasCrc) {
      lists = std::any_of(ancestor.Roms.begin(), ancestor.Roms.end(), [&](const RomFile& other) {
        return other.HasCrc && other.Crc == rom->Crc && other.Size == rom->Size;
      });
    } else if (disk != nullptr && !disk->Sha1.empty()) {
      lists = std::any_of(ancestor.Disks.begin(), ancestor.Disks.end(),
                          [&](const DiskFile& other) { return other.Sha1 == disk->Sha1; });
    }
    if (lists) sharer = static_cast<int>(i);
  }
  bool merged = rom != nullptr ? !rom->Merge.empty() : !disk->Merge.empty();
  if (sharer < 0 && merged && !judging.Chain.empty()) sharer = 0;
  return sharer;
}

void AddRecords(Judging& judging, const MachineInfo& owner, const MachineInfo* device, RomSets::Places* deviceSet) {
  auto add = [&](const RomFile* rom, const DiskFile* disk, DumpStatus status, bool optional) {
    Record& record = judging.Records.emplace_back();
    record.Rom = rom;
    record.Disk = disk;
    record.Device = device;
    record.DeviceSet = deviceSet;
    record.NoDump = status == DumpStatus::NoDump;
    record.Needed = !record.NoDump && !optional;
    if (device != nullptr) {
      record.Shared = true;
    } else {
      record.Sharer = SharerOf(judging, rom, disk);
      record.Shared = record.Sharer >= 0;
    }
  };
  for (const RomFile& rom : owner.Roms) add(&rom, nullptr, rom.Status, rom.Optional);
  for (const DiskFile& disk : owner.Disks) add(nullptr, &disk, disk.Status, disk.Optional);
}

// The devices the machine uses, each once, that list files.
void FindDevices(const MachineLookup& machines, Judging& judging) {
  std::vector<const MachineInfo*>& seen = judging.Seen;
  seen.assign(judging.Chain.begin(), judging.Chain.end());
  seen.push_back(judging.Machine);
  judging.Pending.assign(1, judging.Machine);
  while (!judging.Pending.empty()) {
    const MachineInfo* owner = judging.Pending.back();
    judging.Pending.pop_back();
    for (auto ref = owner->DeviceRefs.rbegin(); ref != owner->DeviceRefs.rend(); ++ref) {
      const MachineInfo* device = machines.FindWithParts(*ref);
      if (device == nullptr || std::find(seen.begin(), seen.end(), device) != seen.end()) continue;
      seen.push_back(device);
      if (!device->Roms.empty() || !device->Disks.empty()) judging.Devices.push_back(device);
      if (!device->DeviceRefs.empty()) judging.Pending.push_back(device);
    }
  }
}

// Whether a ROM of the parent chain (of the device, for a device's file)
// has that CRC-32 and size.
bool ListedAbove(const Judging& judging, const Record& record, const RomSets::WrongFile& file) {
  auto lists = [&](const MachineInfo& machine) {
    return std::any_of(machine.Roms.begin(), machine.Roms.end(), [&](const RomFile& rom) {
      return rom.HasCrc && rom.Crc == file.Crc && rom.Size == file.Size;
    });
  };
  if (record.Device != nullptr) return lists(*record.Device);
  return std::any_of(judging.Chain.begin(), judging.Chain.end(), [&](const MachineInfo* m) { return lists(*m); });
}

void LookFor(RomSets& sets, const Judging& judging, Record& record) {
  if (record.NoDump) return;
  RomSets::WrongFile wrong;
  auto look = [&](RomSets::Places* set) {
    if (set == nullptr) return false;
    RomSets::WrongFile held;
    FileLook found = record.Rom != nullptr ? sets.LookForRom(set, *record.Rom, &held)
                                           : sets.LookForDisk(set, *record.Disk, record.Problem);
    if (found == FileLook::Found || record.Look == FileLook::Absent) {
      record.Look = found;
      wrong = held;
    }
    return found == FileLook::Found;
  };
  if (look(record.DeviceSet)) return;
  for (RomSets::Places* set : judging.PathSets) {
    if (look(set)) return;
  }
  if (record.Look == FileLook::Incorrect && record.Rom != nullptr) record.WrongIsShared = ListedAbove(judging, record, wrong);
}

bool Missing(const Record& record) {
  return (record.Needed && record.Look != FileLook::Found) || record.Look == FileLook::Incorrect;
}

AuditStatus StatusOf(const Judging& judging) {
  std::size_t required = 0, sharedRequired = 0, chainRequired = 0, found = 0, sharedFound = 0, parentFound = 0;
  bool anyLooked = false, anyBad = false, anyShort = false;
  for (const Record& record : judging.Records) {
    if (record.Needed) {
      ++required;
      if (record.Shared) ++sharedRequired;
      if (record.Device == nullptr && record.Sharer >= 0) ++chainRequired;
    }
    // An incorrect file counts as found unless what it holds is the
    // parent chain's.
    if (record.Look == FileLook::Found || (record.Look == FileLook::Incorrect && !record.WrongIsShared)) {
      ++found;
      if (record.Shared) ++sharedFound;
      if (record.Sharer == 0) ++parentFound;
    }
    if (record.Look != FileLook::Absent) anyLooked = true;
    if (Missing(record)) anyBad = true;
    bool badDump = record.Rom != nullptr ? record.Rom->Status == DumpStatus::BadDump
                                         : record.Disk->Status == DumpStatus::BadDump;
    if (record.NoDump || badDump || (!record.Needed && record.Look == FileLook::Absent)) anyShort = true;
  }
  // Nothing of the machine's own is there, and it needs files that are its
  // own, or nothing that it shares with the ROM parent (whose farthest
  // holder is the parent) is there: the emulator counts the set as not there
  // at all. So it does when not one file it needs, or any other, is there.
  if (found == sharedFound && required > 0 && (required != sharedRequired || (chainRequired > 0 && parentFound == 0))) {
    return AuditStatus::NotFound;
  }
  if (required > 0 && !anyLooked) return AuditStatus::NotFound;
  if (anyBad) return AuditStatus::Bad;
  if (judging.Records.empty()) return AuditStatus::NoneNeeded;
  return anyShort ? AuditStatus::BestAvailable : AuditStatus::Good;
}

// `head`, then as many of `names` as fit in parentheses (", ..." for the
// rest), then `tail`, within the reason's length; the tail is left out
// when not even "(...)" would fit with it.
std::string Fit(const std::string& head, const std::vector<std::string_view>& names, std::string tail) {
  std::size_t least = names.empty() ? 0 : 6;
  if (head.size() + least + tail.size() > MaxReason) tail.clear();
  std::string line = head;
  if (!names.empty()) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
      std::string piece = (i == 0 ? "" : ", ") + std::string(names[i]);
      std::string more = i + 1 < names.size() ? ", ..." : "";
      if (head.size() + 2 + list.size() + piece.size() + more.size() + 1 + tail.size() > MaxReason) {
        list += i == 0 ? "..." : ", ...";
        break;
      }
      list += piece;
    }
    line += " (" + list + ")";
  }
  line += tail;
  if (line.size() > MaxReason) line.resize(MaxReason);
  return line;
}

std::string ReasonOf(RomSets& sets, const Judging& judging, AuditStatus status) {
  const std::string prefix = judging.Machine->Name + ": ";
  std::vector<const Record*> missing;
  for (const Record& record : judging.Records) {
    if (Missing(record)) missing.push_back(&record);
  }

  // A damaged archive where a missing file belongs: the machine's own set
  // for its own files, the sets up to the ancestor that has a shared one,
  // a device's own set.
  std::string unreadable = sets.UnreadableZip(judging.Machine->Name);
  for (std::size_t i = 0; unreadable.empty() && i < missing.size(); ++i) {
    const Record& record = *missing[i];
    if (record.Device != nullptr) {
      unreadable = sets.UnreadableZip(record.Device->Name);
      continue;
    }
    for (std::size_t set = 1; unreadable.empty() && record.Sharer >= 0 &&
                              set <= static_cast<std::size_t>(record.Sharer) + 1 && set < judging.Path.size();
         ++set) {
      unreadable = sets.UnreadableZip(judging.Path[set]);
    }
  }
  if (!unreadable.empty()) return Fit(prefix + unreadable + " is not a readable zip", {}, "");

  bool ownNeeded = std::any_of(judging.Records.begin(), judging.Records.end(),
                               [](const Record& r) { return r.Needed && !r.Shared; });
  if (status == AuditStatus::NotFound && ownNeeded && !sets.Present(judging.Machine->Name)) {
    return Fit(prefix + "set " + judging.Machine->Name + " not found", {}, "");
  }

  // Files missing only from sets that are absent: the sets are what it needs.
  std::vector<std::string_view> absentSets;
  bool onlyFromAbsentSets = !missing.empty();
  bool onlyDevices = true;
  for (const Record* record : missing) {
    std::string_view from;
    if (record->Device != nullptr) {
      from = record->Device->Name;
    } else if (record->Sharer >= 0) {
      from = judging.Chain[static_cast<std::size_t>(record->Sharer)]->Name;
      onlyDevices = false;
    }
    if (from.empty() || record->Look == FileLook::Incorrect || sets.Present(from)) {
      onlyFromAbsentSets = false;
      break;
    }
    if (!Contains(absentSets, from)) absentSets.push_back(from);
  }
  if (onlyFromAbsentSets) {
    std::string line = prefix + "needs ";
    if (onlyDevices) {
      line += absentSets.size() == 1 ? "the device set " : "the device sets ";
      for (std::size_t i = 0; i < absentSets.size(); ++i) line += (i == 0 ? "" : ", ") + std::string(absentSets[i]);
      return Fit(line, {}, "");
    }
    for (std::size_t i = 0; i < judging.Chain.size(); ++i) {
      const MachineInfo& ancestor = *judging.Chain[i];
      if (!Contains(absentSets, ancestor.Name)) continue;
      if (line.back() != ' ') line += " and ";
      line += ancestor.Summary.IsBios ? "its BIOS " : i == 0 ? "its parent's set " : "the set ";
      line += ancestor.Name;
    }
    bool devicesToo = std::any_of(absentSets.begin(), absentSets.end(), [&](std::string_view set) {
      return std::none_of(judging.Chain.begin(), judging.Chain.end(),
                          [&](const MachineInfo* ancestor) { return ancestor->Name == set; });
    });
    if (devicesToo) line += " and device sets";
    return Fit(line, {}, "");
  }

  std::size_t romsNeeded = 0, romsMissing = 0, romsIncorrect = 0;
  std::vector<std::string_view> romNames;
  const Record* diskProblem = nullptr;
  for (const Record& record : judging.Records) {
    if (record.Rom != nullptr && record.Needed) ++romsNeeded;
  }
  for (const Record* record : missing) {
    if (record->Rom == nullptr) {
      if (diskProblem == nullptr) diskProblem = record;
      continue;
    }
    (record->Look == FileLook::Incorrect ? romsIncorrect : romsMissing) += 1;
    romNames.push_back(record->Name());
  }
  std::string disk;
  if (diskProblem != nullptr) {
    disk = "disk " + std::string(diskProblem->Name()) + " " +
           (diskProblem->Problem.empty() ? std::string("missing") : diskProblem->Problem);
  }
  if (romNames.empty()) return Fit(prefix + disk, {}, "");
  std::string head = prefix + Text(romsMissing + romsIncorrect) + " of " + Text(romsNeeded) + " ROM files ";
  if (romsIncorrect == 0) {
    head += "missing";
  } else if (romsMissing == 0) {
    head += "incorrect";
  } else {
    head += "missing, " + Text(romsIncorrect) + " incorrect";
  }
  return Fit(head, romNames, disk.empty() ? "" : "; " + disk);
}

}  // namespace

RomAudit::RomAudit(const MachineLookup& machines, RomSets& sets)
    : machines_(machines), sets_(sets), judging_(std::make_unique<Judging>()) {}

RomAudit::~RomAudit() = default;

MachineVerdict RomAudit::Judge(const MachineInfo& machine) {
  Judging& judging = *judging_;
  judging.Clear();
  judging.Machine = &machine;
  WalkChain(machines_, judging);
  for (std::string_view set : judging.Path) judging.PathSets.push_back(sets_.Find(set));
  AddRecords(judging, machine, nullptr, nullptr);
  // A device judged as a machine of its own is judged by its own files, as
  // the emulator does.
  if (!machine.Summary.IsDevice) FindDevices(machines_, judging);
  for (const MachineInfo* device : judging.Devices) AddRecords(judging, *device, device, sets_.Find(device->Name));
  for (Record& record : judging.Records) LookFor(sets_, judging, record);
  MachineVerdict verdict;
  verdict.Status = StatusOf(judging);
  if (!verdict.Available()) verdict.Reason = ReasonOf(sets_, judging, verdict.Status);
  return verdict;
}

MachineVerdict RomAudit::Judge(std::string_view name) {
  if (const MachineInfo* machine = machines_.Find(name)) return Judge(*machine);
  MachineVerdict verdict;
  verdict.Status = AuditStatus::NotFound;
  verdict.Reason = Fit(std::string(name) + ": not in the emulator's list", {}, "");
  return verdict;
}

AuditResult AuditAllMachines(const MachineLookup& machines, const Settings& settings, const AuditProgress& progress) {
  RomSets sets(RomDirectories(settings));
  RomAudit audit(machines, sets);
  AuditResult result;
  const std::vector<MachineInfo>& all = machines.Machines();
  result.Verdicts.reserve(all.size());
  for (const MachineInfo& machine : all) {
    result.Verdicts.push_back(audit.Judge(machine));
    std::size_t judged = result.Verdicts.size();
    if ((judged % ProgressEvery == 0 || judged == all.size()) && progress && !progress(judged, all.size())) {
      result.Stopped = judged < all.size();
      break;
    }
  }
  return result;
}

}  // namespace zeb
