#pragma once
// The machines the stand-in emulator lists, with everything its XML list
// (-listxml, the later generation only) says of them; mame_standin.cpp's
// header comment describes them.

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct RomEntry {
  std::string Name;
  uint32_t Size = 0;
  std::string Merge;   // the name in the set it is merged from, or empty
  std::string Status;  // "", "baddump" or "nodump"
  bool Optional = false;
};

struct DiskEntry {
  std::string Name;
  std::string Sha1;
};

struct Machine {
  std::string Name;
  std::string Description;
  std::string Parent;  // cloneof
  std::string RomOf;
  std::string Year;
  std::string Maker;
  bool IsBios = false;
  bool IsDevice = false;
  bool IsMechanical = false;
  std::string Status = "good";  // of the driver; none for a device
  int Players = 2;
  int Rotate = 0;
  std::vector<RomEntry> Roms;
  std::vector<DiskEntry> Disks;
  std::vector<std::string> Devices;
};

// The machines in the order of the lists: the games sorted by name, then
// (the later generation only) the devices sorted by name. The classic
// generation knows the games of standin_games.h alone.
std::vector<Machine> ListedMachines(bool modern);

// The XML list as the later generation writes it, to standard output.
void PrintListXml(const std::vector<Machine>& machines);

}  // namespace standin
