#pragma once
// The machine information file, zeb-machines.txt beside zeb.ini: what the
// emulator's XML list says of each machine, kept so that the list is read
// once. Start-up reads only the small summaries (flags, year, maker,
// status, players, rotation, parent and ROM parent) of the machines that
// are no devices, and those of the devices only for games they do not
// name; the audit reads the ROM section with the ROM files, disks and
// devices of every machine.
//
// The file (text, each line ending in LF):
//
//   ZEB machine information, format 1
//   emulator <the emulator's version, as the list's root gives it>
//   summaries <offset> <bytes> <machines> <check>
//   devices <offset> <bytes> <machines> <check>
//   roms <offset> <bytes> <machines> <check>
//   check <check>
//   <the ROM section> <the summaries> <the devices' summaries>
//
// Offsets and sizes are in bytes from the start of the file (12 decimal
// digits each, machines 10), checks are 16 lower-case hexadecimal digits of
// a 64-bit hash of the bytes the line names (the last line's, of the five
// lines above it). The ROM section holds every machine in the order of the
// list; the summary sections hold the devices and the other machines each
// in that order:
//
//   summary line: name TAB attributes TAB year TAB manufacturer TAB cloneof
//                 TAB romof
//     attributes: "d" device, "b" BIOS, "m" mechanical, "r" runnable, each
//     or "-" in that place; the driver status, "g" good, "i" imperfect,
//     "p" preliminary or "-" not given; the rotation, "0" to "3" for 0, 90,
//     180 and 270 degrees; the players in decimal ("---rg02": a runnable
//     game, good, upright, two players)
//   ROM section, per machine: "=" (a device: "*") name TAB description,
//   then its parts:
//     "r" name TAB size TAB crc TAB merge TAB status optional
//     "d" name TAB sha1 TAB merge TAB status optional
//     "u" the name of a device it uses
//     crc: 8 lower-case hex digits, empty for none; status: "g" good, "b"
//     bad dump, "n" no dump; optional: "o" optional, "-" not
//
// In every text a byte below 0x20, 0x7F and "\" are written as "\" and two
// upper-case hex digits; texts are kept as the records hold them (code page
// 437 for description, year and maker).
//
// The file is written as zeb.ini is: under a unique name beside it, forced
// to the disk, then renamed over the old one; a write that fails leaves the
// old file as it was. A file that is missing, is not ours (a first line
// other than the mark), is of another format, is cut short or whose checks
// do not match is never trusted: nothing is taken from it, and the read
// gives a one-line reason. Start-up checks the header, the file's size and
// the summaries it reads (the devices' only when it needs them); the ROM
// section is checked when the audit reads it. Nothing here ever ends the
// program, and zeb.ini is never touched.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "machines/machine_check.h"
#include "machines/machine_info.h"
#include "settings/game_table.h"

namespace zeb {

inline constexpr std::string_view MachineFileName = "zeb-machines.txt";

// Why a file was not trusted.
enum class MachineFileProblem : unsigned char {
  None,         // trusted
  Missing,      // no such file
  Unreadable,   // the system would not let it be read
  Foreign,      // not ZEB's machine information
  OtherFormat,  // ZEB's, of another format
  Truncated,    // shorter than its header says
  Damaged,      // a check does not match, or the contents are out of order
};

// What a read found.
struct MachineFileState {
  MachineFileProblem Problem = MachineFileProblem::None;
  std::string Reason;    // one line of at most 60 characters (the list's notice); empty when trusted
  std::string Version;   // the emulator's version it was made from
  int32_t Machines = 0;  // the machines it holds
  bool Trusted() const { return Problem == MachineFileProblem::None; }
};

// A machine's summary with its name, as a summary section holds it.
struct NamedSummary {
  std::string Name;
  MachineSummary Summary;
  ShortString CloneOf;  // the machine's parents, as MachineInfo has them
  ShortString RomOf;
};

// Start-up: the summaries of the table's games, by game number. A game gets
// the summary of the machine of its driver name. `machines` is empty when
// the file is not trusted.
MachineFileState ReadGameMachines(const GameTable& table, GameMachines& machines,
                                  std::string_view path = MachineFileName);
// Every summary of the file: the machines', then the devices'.
MachineFileState ReadMachineSummaries(std::vector<NamedSummary>& summaries, std::string_view path = MachineFileName);
// The audit: every machine whole, in the file's order.
MachineFileState ReadMachineFile(std::vector<MachineInfo>& machines, std::string_view path = MachineFileName);

// The summaries of the table's games from summaries in any order (the join
// ReadGameMachines makes).
GameMachines JoinGameMachines(const GameTable& table, const std::vector<NamedSummary>& summaries);

// Takes out of the table the entries that are no games by the information
// (devices, and machines the emulator cannot run), keeping the others in
// their order, and with them their summaries. The number taken out.
int32_t LeaveOutNonGames(GameTable& table, GameMachines& machines);

// Writes a new file one machine at a time, keeping only the summaries'
// lines in memory: the ROM section goes to the disk as it comes.
class MachineFileWriter {
 public:
  MachineFileWriter() = default;
  MachineFileWriter(const MachineFileWriter&) = delete;
  MachineFileWriter& operator=(const MachineFileWriter&) = delete;
  ~MachineFileWriter();

  // Starts the new file beside `path`. False, with Error set, when it
  // cannot be made.
  bool Begin(std::string_view version, std::string_view path = MachineFileName);
  // A machine as the list reader gives it (every name given, players not
  // below 0, a rotation of 0, 90, 180 or 270).
  bool Add(const MachineInfo& machine);
  // Completes the new file and puts it in the place of the old one.
  bool Finish();
  // Removes the unfinished file (as the destructor does); the old one stays.
  void Abandon();

  int32_t Machines() const { return machines_; }
  const std::string& Error() const { return error_; }

 private:
  bool Failed(const std::string& what);
  bool WriteBytes(std::string_view bytes);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string unique_;
  std::string version_;
  std::string summaries_;  // the summary section of the machines but the devices
  std::string devices_;    // the devices' summary section
  int32_t summaryLines_ = 0;
  int32_t deviceLines_ = 0;
  std::string pending_;    // ROM section lines not yet written
  uint64_t headerBytes_ = 0;
  uint64_t romBytes_ = 0;
  MachineCheck romCheck_;
  int32_t machines_ = 0;
  std::string error_;
};

}  // namespace zeb
