#pragma once
// What today's emulator says of each machine in its XML list (-listxml):
// what kind of machine it is, the year, maker and status the games list
// shows and the search filters by, and the ROM files and disks it needs,
// which the audit checks against the ROM sets.
//
// Texts the emulator writes in UTF-8 (descriptions, manufacturers) are kept
// in code page 437, as the game table keeps them.

#include <cstdint>
#include <string>
#include <vector>

#include "storage/short_string.h"

namespace zeb {

// How well the emulator runs a machine (<driver status=...>).
enum class DriverStatus : unsigned char { Unknown, Good, Imperfect, Preliminary };

// What is known of a ROM file's or a disk's contents (<rom status=...>).
enum class DumpStatus : unsigned char { Good, BadDump, NoDump };

// What the games list, the panel and the search need of a machine. Small,
// kept for every machine from the start of a run.
struct MachineSummary {
  bool IsDevice = false;      // isdevice="yes": a part of machines, not a game
  bool IsBios = false;        // isbios="yes"
  bool IsMechanical = false;  // ismechanical="yes"
  bool Runnable = true;       // runnable="no" makes it no game either
  ShortString Year;           // as written: "1981", "198?", or empty
  ShortString Manufacturer;
  DriverStatus Status = DriverStatus::Unknown;
  int32_t Players = 0;  // <input players=...>; 0 when not given
  int32_t Rotate = 0;   // the first <display rotate=...>: 0, 90, 180 or 270

  bool operator==(const MachineSummary&) const = default;
};

// A ROM file a machine needs (<rom>).
struct RomFile {
  std::string Name;
  uint32_t Size = 0;
  uint32_t Crc = 0;
  bool HasCrc = false;  // a nodump has none
  std::string Merge;    // merge="...": its name in the ROM parent's set
  DumpStatus Status = DumpStatus::Good;
  bool Optional = false;  // optional="yes"

  bool operator==(const RomFile&) const = default;
};

// A disk a machine needs (<disk>), kept as set/name.chd.
struct DiskFile {
  std::string Name;
  std::string Sha1;  // 40 lower-case hexadecimal digits; empty for a nodump
  std::string Merge;
  DumpStatus Status = DumpStatus::Good;
  bool Optional = false;

  bool operator==(const DiskFile&) const = default;
};

// Everything the list says of one machine.
struct MachineInfo {
  std::string Name;         // its driver name, the key of the game table
  std::string Description;  // code page 437
  MachineSummary Summary;
  // The parents, which the audit needs and the start does not (the game
  // table has the clone's parent): kept out of the summary, which every
  // game has in memory for the whole run.
  ShortString CloneOf;  // cloneof="..."
  ShortString RomOf;    // romof="...": the set its ROMs may also come from
  std::vector<RomFile> Roms;
  std::vector<DiskFile> Disks;
  std::vector<std::string> DeviceRefs;  // <device_ref name=...>, in order

  bool operator==(const MachineInfo&) const = default;
};

// The summaries of the game table's games, by game number (entry 0 is not
// used): what the interface and the search read. Empty when there is no
// information (an emulator that gives no XML list, or a file not trusted).
struct GameMachines {
  std::vector<MachineSummary> ByGame;

  bool Known() const { return !ByGame.empty(); }
  // The summary of game `game`; null without information or for a game
  // the information does not name.
  const MachineSummary* Of(int32_t game) const {
    if (game < 1 || static_cast<std::size_t>(game) >= ByGame.size() || !Named[static_cast<std::size_t>(game)]) {
      return nullptr;
    }
    return &ByGame[static_cast<std::size_t>(game)];
  }
  // Whether the information names game n (same numbering as ByGame).
  std::vector<bool> Named;
};

}  // namespace zeb
