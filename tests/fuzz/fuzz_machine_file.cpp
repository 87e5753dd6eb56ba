// The machine information file's readers on any bytes, and its writer on
// machines made of them.
//
// The input as a file: no read may crash or end the program; a reason is
// one line of under 80 characters; the start-up's read never trusts what
// the audit's read refuses for its header or summaries; and a file that is
// trusted gives the same summaries to both reads (the start-up's the
// machines' first, then the devices'), and written anew from what was read
// it is the same file, byte for byte.
//
// The input as machines (names, flags, texts with any bytes, ROM files,
// disks, devices): written and read back they are the same; the file with
// one byte changed, cut short or lengthened is then never trusted by the
// audit's read, nor by the start-up's when the change is outside the ROM
// section and the devices' summaries.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "machines/machine_file.h"

namespace zeb::fuzz {
namespace {

constexpr const char* FileName = "zeb-machines.txt";

// The input's bytes one after the other, then zeroes.
class Taker {
 public:
  explicit Taker(std::string_view bytes) : bytes_(bytes) {}
  unsigned char Byte() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0; }
  std::string Text(std::size_t most) {
    std::size_t length = Byte() % (most + 1);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(Byte());
    return text;
  }
  std::string Name() {
    std::string name = Text(12);
    return name.empty() ? "n" : name;
  }
  bool Left() const { return at_ < bytes_.size(); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

std::vector<MachineInfo> MakeMachines(std::string_view bytes) {
  Taker take(bytes);
  std::vector<MachineInfo> machines;
  while (take.Left() && machines.size() < 40) {
    MachineInfo& machine = machines.emplace_back();
    machine.Name = take.Name();
    machine.Description = take.Text(40);
    MachineSummary& summary = machine.Summary;
    const unsigned char flags = take.Byte();
    summary.IsDevice = (flags & 1) != 0;
    summary.IsBios = (flags & 2) != 0;
    summary.IsMechanical = (flags & 4) != 0;
    summary.Runnable = (flags & 8) != 0;
    summary.Status = static_cast<DriverStatus>((flags >> 4) % 4);
    summary.Rotate = 90 * ((flags >> 6) % 4);
    summary.Players = take.Byte();
    summary.Year = take.Text(6);
    summary.Manufacturer = take.Text(30);
    machine.CloneOf = take.Text(10);
    machine.RomOf = take.Text(10);
    for (unsigned count = take.Byte() % 5; count > 0; --count) {
      RomFile& rom = machine.Roms.emplace_back();
      rom.Name = take.Name();
      rom.Size = take.Byte() * 65599u + take.Byte();
      rom.HasCrc = take.Byte() % 4 != 0;
      if (rom.HasCrc) rom.Crc = take.Byte() * 16777619u ^ take.Byte();
      rom.Merge = take.Text(8);
      const unsigned char kind = take.Byte();
      rom.Status = static_cast<DumpStatus>(kind % 3);
      rom.Optional = (kind & 4) != 0;
    }
    for (unsigned count = take.Byte() % 3; count > 0; --count) {
      DiskFile& disk = machine.Disks.emplace_back();
      disk.Name = take.Name();
      if (take.Byte() % 2 != 0) {
        for (int i = 0; i < 40; ++i) disk.Sha1 += "0123456789abcdef"[take.Byte() % 16];
      }
      disk.Merge = take.Text(8);
      const unsigned char kind = take.Byte();
      disk.Status = static_cast<DumpStatus>(kind % 3);
      disk.Optional = (kind & 4) != 0;
    }
    for (unsigned count = take.Byte() % 4; count > 0; --count) machine.DeviceRefs.push_back(take.Name());
  }
  return machines;
}

bool Write(std::string_view version, const std::vector<MachineInfo>& machines) {
  MachineFileWriter writer;
  bool written = writer.Begin(version, FileName);
  for (const MachineInfo& machine : machines) written = written && writer.Add(machine);
  return written && writer.Finish();
}

void CheckReason(const MachineFileState& state) {
  ZEB_FUZZ_CHECK(state.Trusted() == state.Reason.empty());
  ZEB_FUZZ_CHECK(state.Reason.size() < 80);
  ZEB_FUZZ_CHECK(state.Reason.find('\n') == std::string::npos);
}

// The input read as a file.
void ReadAsFile(std::string_view bytes) {
  WriteFile(FileName, bytes);
  std::vector<MachineInfo> machines;
  const MachineFileState whole = ReadMachineFile(machines, FileName);
  std::vector<NamedSummary> summaries;
  const MachineFileState start = ReadMachineSummaries(summaries, FileName);
  CheckReason(whole);
  CheckReason(start);
  ZEB_FUZZ_CHECK(start.Trusted() || !whole.Trusted());
  ZEB_FUZZ_CHECK(start.Trusted() || summaries.empty());
  ZEB_FUZZ_CHECK(whole.Trusted() || machines.empty());
  if (!whole.Trusted()) return;
  // The summaries: the machines' but the devices', then the devices'.
  ZEB_FUZZ_CHECK(summaries.size() == machines.size());
  std::size_t next = 0;
  for (bool devices : {false, true}) {
    for (const MachineInfo& machine : machines) {
      if (machine.Summary.IsDevice != devices) continue;
      ZEB_FUZZ_CHECK(summaries[next].Name == machine.Name && summaries[next].Summary == machine.Summary);
      ++next;
    }
  }
  ZEB_FUZZ_CHECK(Write(whole.Version, machines));
  ZEB_FUZZ_CHECK(ReadFile(FileName) == bytes);
}

// Machines made of the input, written, read back, then damaged.
void WriteAndDamage(std::string_view bytes) {
  const std::vector<MachineInfo> machines = MakeMachines(bytes);
  const std::string version = Taker(bytes.substr(bytes.size() / 2)).Text(20);
  ZEB_FUZZ_CHECK(Write(version, machines));
  std::vector<MachineInfo> read;
  const MachineFileState state = ReadMachineFile(read, FileName);
  ZEB_FUZZ_CHECK(state.Trusted());
  ZEB_FUZZ_CHECK(state.Version == version);
  ZEB_FUZZ_CHECK(read == machines);

  const std::string file = ReadFile(FileName);
  const uint64_t hash = InputHash(bytes);
  const std::size_t at = hash % file.size();
  std::string damaged = file;
  switch ((hash >> 32) % 3) {
    case 0: damaged[at] = static_cast<char>(damaged[at] ^ (1 + (hash >> 40) % 255)); break;
    case 1: damaged.resize(at); break;
    default: damaged += damaged[at]; break;
  }
  WriteFile(FileName, damaged);
  read.clear();
  ZEB_FUZZ_CHECK(!ReadMachineFile(read, FileName).Trusted());
  ZEB_FUZZ_CHECK(read.empty());
  // Where the ROM section and the devices' summaries lie, from the header
  // itself: the start-up reads neither (not the devices' for a table that
  // has no games).
  auto within = [&](const char* line) {
    const std::size_t numbers = file.find(line) + std::strlen(line);
    const std::size_t start = std::stoull(file.substr(numbers, 12));
    return at >= start && at < start + std::stoull(file.substr(numbers + 13, 12));
  };
  const bool inRoms = (hash >> 32) % 3 == 0 && (within("\nroms ") || within("\ndevices "));
  static const GameTable* table = new GameTable;  // too large for the stack; one for the run
  GameMachines joined;
  if (!inRoms) {
    ZEB_FUZZ_CHECK(!ReadGameMachines(*table, joined, FileName).Trusted());
    ZEB_FUZZ_CHECK(!joined.Known());
  }
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb::fuzz;
  InPrivateDir here;
  static const bool ready = [] {
    AbortOnFatal();
    return true;
  }();
  (void)ready;
  const std::string_view bytes = Bytes(data, size);
  ReadAsFile(bytes);
  WriteAndDamage(bytes);
  return 0;
}
