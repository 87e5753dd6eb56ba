#include "support/standin_sets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "emulator/output_stream.h"
#include "emulator/processes.h"
#include "machines/machine_list.h"
#include "support/environment.h"
#include "support/rom_set_writer.h"

namespace zeb::testing_support {

std::vector<MachineInfo> StandinMachines() {
  std::vector<MachineInfo> machines;
  ScopedEnvironment modern("XEM_MODERN", "1");
  MachineListReader reader([&machines](MachineInfo& machine) { machines.push_back(machine); });
  const ProgramFile standin = ResolveProgram(ZEB_STANDIN, false);
  const StreamRun run = RunStreaming(standin, {standin.Name, "-listxml"}, [&reader](std::string_view chunk) {
    return reader.Feed(chunk);
  });
  EXPECT_TRUE(run.Started) << run.Reason;
  EXPECT_TRUE(reader.Finish()) << reader.ErrorText();
  return machines;
}

void WriteStandinSets(const std::string& directory, const std::vector<std::string>& names) {
  const std::vector<MachineInfo> machines = StandinMachines();
  for (const std::string& name : names) {
    auto machine = std::find_if(machines.begin(), machines.end(), [&](const MachineInfo& m) { return m.Name == name; });
    ASSERT_NE(machine, machines.end()) << name;
    std::vector<RomFile> dumped;
    for (const RomFile& rom : machine->Roms) {
      if (rom.HasCrc) dumped.push_back(rom);
    }
    WriteZipSet(directory, name, FilesFor(dumped));
  }
}

}  // namespace zeb::testing_support
