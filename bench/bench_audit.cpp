// The ROM audit of a whole list: 40,000 machines shaped like the emulator's
// (BIOS sets, parents, clones whose ROMs are half merged into the parent's,
// devices with and without ROM files that every game refers to; about 8 ROM
// files a game) against 3,000 archives in two ROM directories, some of
// them short of a file. Warm: the directories are in the system's cache
// after the first run, as on a second scan. The budget is 0.5 s.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "audit/machine_lookup.h"
#include "audit/rom_audit.h"
#include "game_set.h"
#include "support/rom_set_writer.h"

namespace {

constexpr int MachineCount = 40000;
constexpr int BiosSets = 12;
constexpr int DevicesWithRoms = 300;
constexpr int DevicesWithout = 7700;
constexpr int Archives = 3000;

struct Generated {
  std::vector<zeb::MachineInfo> Machines;
  std::vector<std::size_t> WithSets;  // the machines whose sets are written
};

uint32_t Next(uint64_t& state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<uint32_t>(state >> 32);
}

zeb::RomFile Rom(const std::string& name, uint64_t& state) {
  zeb::RomFile rom;
  rom.Name = name;
  rom.Size = 16 + Next(state) % 240;
  rom.Crc = Next(state);
  rom.HasCrc = true;
  return rom;
}

Generated Generate() {
  Generated list;
  uint64_t state = 20261208;
  std::vector<zeb::MachineInfo>& machines = list.Machines;
  machines.reserve(MachineCount);
  auto add = [&](const std::string& name) -> zeb::MachineInfo& {
    zeb::MachineInfo& machine = machines.emplace_back();
    machine.Name = name;
    return machine;
  };
  for (int i = 0; i < BiosSets; ++i) {
    zeb::MachineInfo& bios = add("bios" + std::to_string(i));
    bios.Summary.IsBios = true;
    for (int r = 0; r < 10; ++r) bios.Roms.push_back(Rom("bios" + std::to_string(r) + ".bin", state));
  }
  for (int i = 0; i < DevicesWithRoms + DevicesWithout; ++i) {
    zeb::MachineInfo& device = add("dev" + std::to_string(i));
    device.Summary.IsDevice = true;
    if (i < DevicesWithRoms) device.Roms.push_back(Rom("mcu" + std::to_string(i) + ".bin", state));
    if (i % 7 == 0) device.DeviceRefs.push_back("dev" + std::to_string(DevicesWithRoms + i));
  }
  const std::size_t firstGame = machines.size();
  std::size_t parent = 0;
  for (int i = 0; machines.size() < MachineCount; ++i) {
    zeb::MachineInfo& game = add("game" + std::to_string(i));
    bool clone = i % 3 != 0;  // two clones a parent, as in the real list
    if (!clone) {
      parent = machines.size() - 1;
      if (i % 5 == 0) game.RomOf = "bios" + std::to_string(i % BiosSets);
      for (int r = 0; r < 8; ++r) game.Roms.push_back(Rom("p" + std::to_string(r) + ".rom", state));
      if (!game.RomOf.View().empty()) {
        for (const zeb::RomFile& rom : machines[static_cast<std::size_t>(i % BiosSets)].Roms) {
          game.Roms.push_back(rom);
          game.Roms.back().Merge = rom.Name;
        }
      }
    } else {
      const zeb::MachineInfo& of = machines[parent];
      game.CloneOf = of.Name;
      game.RomOf = of.Name;
      for (std::size_t r = 0; r < of.Roms.size(); ++r) {
        if (r % 2 == 0) {
          game.Roms.push_back(Rom("c" + std::to_string(r) + ".rom", state));
        } else {
          game.Roms.push_back(of.Roms[r]);
          game.Roms.back().Merge = of.Roms[r].Name;
        }
      }
    }
    for (int d = 0; d < 12; ++d) {
      game.DeviceRefs.push_back("dev" + std::to_string(DevicesWithRoms + Next(state) % DevicesWithout));
    }
    if (i % 4 == 0) game.DeviceRefs.push_back("dev" + std::to_string(Next(state) % DevicesWithRoms));
  }
  // The sets present: the BIOS sets, the devices with ROM files, and games
  // spread through the list to make 3,000.
  for (std::size_t m = 0; m < firstGame; ++m) {
    if (!machines[m].Roms.empty()) list.WithSets.push_back(m);
  }
  std::size_t games = Archives - list.WithSets.size();
  std::size_t step = (machines.size() - firstGame) / games;
  for (std::size_t g = 0; g < games; ++g) list.WithSets.push_back(firstGame + g * step);
  return list;
}

class AuditPlace : public bench::ScratchDir {
 public:
  AuditPlace() : ScratchDir("zeb-bench-audit"), list(Generate()), lookup(list.Machines) {
    settings.MamePath = Path() + "/";
    settings.RomPaths = "roms;roms2";
    for (std::size_t n = 0; n < list.WithSets.size(); ++n) {
      const zeb::MachineInfo& machine = list.Machines[list.WithSets[n]];
      std::vector<zeb::testing_support::SetFile> files;
      for (std::size_t r = 0; r < machine.Roms.size(); ++r) {
        // A split set: a clone's merged files are in its parent's; one set
        // in ten lacks a file.
        if (!machine.Roms[r].Merge.empty() || (n % 10 == 9 && r == 0)) continue;
        files.push_back(zeb::testing_support::FileFor(machine.Roms[r]));
      }
      zeb::testing_support::WriteZipSet(Path() + (n % 2 == 0 ? "/roms" : "/roms2"), machine.Name, files);
    }
  }

  Generated list;
  zeb::MachineLookup lookup;
  zeb::Settings settings;
};

void BM_AuditAllMachines(benchmark::State& state) {
  static AuditPlace place;
  std::size_t available = 0;
  for (auto _ : state) {
    zeb::AuditResult result = zeb::AuditAllMachines(place.lookup, place.settings, {});
    available = 0;
    for (const zeb::MachineVerdict& verdict : result.Verdicts) available += verdict.Available() ? 1 : 0;
    benchmark::DoNotOptimize(available);
    if (result.Verdicts.size() != MachineCount) state.SkipWithError("not every machine was judged");
  }
  state.counters["machines"] = MachineCount;
  state.counters["archives"] = static_cast<double>(place.list.WithSets.size());
  state.counters["available"] = static_cast<double>(available);
}
BENCHMARK(BM_AuditAllMachines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
