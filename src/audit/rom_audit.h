#pragma once
// Whether each machine can run from the ROM sets at hand, judged as the
// emulator's own ROM check (-verifyroms) judges it, from the CRC-32s and
// sizes the archives record.
//
// A machine's ROM files are looked for in its own set, then along its ROM
// parent chain (clone, parent, BIOS: each machine's RomOf in turn); a
// device's (each machine its DeviceRefs name, and theirs in turn) in the
// device's own set first, then along the machine's path. A file is needed
// unless it is a nodump or optional; a needed file is found by its CRC-32
// and size, and a file of its name with another CRC or size is incorrect
// (an incorrect optional or baddump file too). A disk is needed as
// `<set>\<name>.chd` with the SHA-1 of the list. A device judged as a
// machine of its own is judged by its own files only. Which machines are
// "not found" rather than bad follows the emulator (StatusOf in
// rom_audit.cpp); both are missing.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "audit/machine_lookup.h"
#include "audit/rom_sets.h"
#include "machines/machine_info.h"
#include "settings/settings.h"

namespace zeb {

enum class AuditStatus : unsigned char {
  Good,           // every file there and right
  BestAvailable,  // only nodumps or baddumps short, or optional files missing
  NoneNeeded,     // the machine has no files to need (pong)
  Bad,            // a needed file missing or incorrect, a disk missing
  NotFound,       // nothing of the machine's own there (the emulator's "not found")
};

struct MachineVerdict {
  AuditStatus Status = AuditStatus::NotFound;
  // Why a machine is not available, one line under 79 characters that
  // begins with its name ("galaga: 3 of 17 ROM files missing (...)");
  // empty for an available one.
  std::string Reason;

  bool Available() const {
    return Status == AuditStatus::Good || Status == AuditStatus::BestAvailable || Status == AuditStatus::NoneNeeded;
  }
  // As the game table stores it: "1" available, "0" missing.
  std::string_view AvailableText() const { return Available() ? "1" : "0"; }
};

// One audit: the ROM sets found at its start, read as it goes.
class RomAudit {
 public:
  // Both must outlive the audit.
  RomAudit(const MachineLookup& machines, RomSets& sets);
  ~RomAudit();
  RomAudit(const RomAudit&) = delete;
  RomAudit& operator=(const RomAudit&) = delete;

  MachineVerdict Judge(const MachineInfo& machine);
  // A name the list does not hold is not available.
  MachineVerdict Judge(std::string_view name);

  // The work of judging one machine (rom_audit.cpp).
  struct Record;
  struct Judging;

 private:
  const MachineLookup& machines_;
  RomSets& sets_;
  std::unique_ptr<Judging> judging_;  // kept for its memory
};

// Told now and then (every 64 machines, and after the last) how many
// machines are judged so far and of how many; returns false to stop.
using AuditProgress = std::function<bool(std::size_t judged, std::size_t total)>;

struct AuditResult {
  std::vector<MachineVerdict> Verdicts;  // one a machine, in the lookup's order
  bool Stopped = false;                  // then Verdicts holds those judged
};

// Every machine of the lookup against the ROM directories of the settings.
AuditResult AuditAllMachines(const MachineLookup& machines, const Settings& settings, const AuditProgress& progress);

}  // namespace zeb
