#pragma once
// What the audit's tests share: machine records written briefly, a
// temporary emulator directory with two ROM directories, and the audit of
// one machine against them.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "audit/machine_lookup.h"
#include "audit/rom_audit.h"
#include "audit/rom_sets.h"
#include "machines/machine_info.h"
#include "settings/settings.h"
#include "support/rom_set_writer.h"
#include "support/temp_dir.h"

namespace zeb::testing_support {

enum class Kind { Game, Bios, Device };

// The extras of a ROM record, after its name, size and CRC-32.
struct Merge {
  std::string Name;
};
enum RomMark { BadDump, Optional };
// In place of a CRC-32: a ROM that was never dumped.
struct NoDumpMark {};
inline constexpr NoDumpMark NoDump{};

inline void Mark(RomFile& rom, const Merge& merge) { rom.Merge = merge.Name; }
inline void Mark(RomFile& rom, RomMark mark) {
  if (mark == BadDump) rom.Status = DumpStatus::BadDump;
  if (mark == Optional) rom.Optional = true;
}

template <typename... Marks>
RomFile R(std::string name, uint32_t size, uint32_t crc, Marks... marks) {
  RomFile rom;
  rom.Name = std::move(name);
  rom.Size = size;
  rom.Crc = crc;
  rom.HasCrc = true;
  (Mark(rom, marks), ...);
  return rom;
}

template <typename... Marks>
RomFile R(std::string name, uint32_t size, NoDumpMark, Marks... marks) {
  RomFile rom = R(std::move(name), size, 0, marks...);
  rom.HasCrc = false;
  rom.Status = DumpStatus::NoDump;
  return rom;
}

// A disk, or (an empty SHA-1) one never dumped.
inline DiskFile Disk(std::string name, std::string sha1, std::string merge = "", bool optional = false) {
  DiskFile disk;
  disk.Name = std::move(name);
  disk.Status = sha1.empty() ? DumpStatus::NoDump : DumpStatus::Good;
  disk.Sha1 = std::move(sha1);
  disk.Merge = std::move(merge);
  disk.Optional = optional;
  return disk;
}

// One machine as the list gives it: name, kind, romof, cloneof, files, devices.
struct MachineLine {
  std::string Name;
  Kind Type = Kind::Game;
  std::string RomOf;
  std::string CloneOf;
  std::vector<RomFile> Roms;
  std::vector<std::string> DeviceRefs;
  std::vector<DiskFile> Disks = {};
};

inline std::vector<MachineInfo> Machines(const std::vector<MachineLine>& lines) {
  std::vector<MachineInfo> machines;
  for (const MachineLine& line : lines) {
    MachineInfo& machine = machines.emplace_back();
    machine.Name = line.Name;
    machine.Summary.IsBios = line.Type == Kind::Bios;
    machine.Summary.IsDevice = line.Type == Kind::Device;
    machine.Summary.Runnable = line.Type != Kind::Device;
    machine.RomOf = line.RomOf;
    machine.CloneOf = line.CloneOf;
    machine.Roms = line.Roms;
    machine.DeviceRefs = line.DeviceRefs;
    machine.Disks = line.Disks;
  }
  return machines;
}

// A temporary emulator directory (MamePath) with ROM directories "roms"
// and "roms2" (RomPaths "roms;roms2"), and the machines of a test.
class AuditTest : public ::testing::Test {
 public:  // the cases' own functions make sets too
  explicit AuditTest(const std::vector<MachineLine>& lines = {}) : machines_(Machines(lines)), lookup_(machines_) {
    FreshDirectory();
    settings_.RomPaths = "roms;roms2";
  }

  // An empty emulator directory, for the next case of a test.
  void FreshDirectory() {
    base_ = dir_.Path() + "/case" + std::to_string(++cases_) + "/";
    settings_.MamePath = base_;
  }

  void UseMachines(const std::vector<MachineLine>& lines) {
    machines_ = Machines(lines);
    lookup_.emplace(machines_);
  }
  const MachineInfo& Machine(const std::string& name) const {
    const MachineInfo* machine = lookup_->Find(name);
    if (machine == nullptr) throw std::runtime_error("no machine " + name + " in the test's list");
    return *machine;
  }

  std::string Roms() const { return base_ + "roms"; }
  std::string Roms2() const { return base_ + "roms2"; }

  // The set of a machine's own ROM files (with a merge name left out, as a
  // split set holds them), or all of them, as a zip in `directory`.
  void ZipOwn(const std::string& name, const std::string& directory) {
    WriteZipSet(directory, name, FilesFor(OwnRoms(name)));
  }
  void ZipAll(const std::string& name, const std::string& directory) {
    WriteZipSet(directory, name, FilesFor(Machine(name).Roms));
  }
  static SetFile& Named(std::vector<SetFile>& files, const std::string& name) {
    for (SetFile& file : files) {
      if (file.Name == name) return file;
    }
    throw std::runtime_error("no file " + name + " among the set's");
  }
  std::vector<RomFile> OwnRoms(const std::string& name) const {
    std::vector<RomFile> own;
    for (const RomFile& rom : Machine(name).Roms) {
      if (rom.Merge.empty()) own.push_back(rom);
    }
    return own;
  }

  // A fresh audit (the directories listed now) of one machine.
  MachineVerdict Judge(const std::string& name) {
    RomSets sets(RomDirectories(settings_));
    RomAudit audit(*lookup_, sets);
    return audit.Judge(std::string_view(name));
  }

  TempDir dir_{TempDir::Stay};
  std::string base_;
  int cases_ = 0;
  Settings settings_;
  std::vector<MachineInfo> machines_;
  std::optional<MachineLookup> lookup_;
};

// What a verdict looks like in a failure message.
inline std::string Describe(const MachineVerdict& verdict) {
  static const char* const Names[] = {"good", "best available", "none needed", "bad", "not found"};
  return std::string(Names[static_cast<int>(verdict.Status)]) + " [" + verdict.Reason + "]";
}

}  // namespace zeb::testing_support
