#pragma once
// ROM sets of the stand-in emulator's machines, as its later generation
// lists them (-listxml), and its machines themselves.

#include <string>
#include <vector>

#include "machines/machine_info.h"

namespace zeb::testing_support {

// Every machine the stand-in lists in its later generation.
std::vector<MachineInfo> StandinMachines();

// For each name, `<directory>/<name>.zip` with the ROM files the list gives
// that machine (those with a known dump), by the stand-in's rule.
void WriteStandinSets(const std::string& directory, const std::vector<std::string>& names);

}  // namespace zeb::testing_support
