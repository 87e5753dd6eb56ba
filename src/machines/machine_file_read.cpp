// Reading the machine information file: the header, then the sections
// asked for, each read whole and checked before anything is taken from it.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <memory>

#include "machines/game_join.h"
#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_file_format.h"

namespace zeb {

namespace {

using machine_file::Header;
using machine_file::Section;

// The longest header: the mark, a version of 255 bytes all escaped, the
// section lines.
constexpr std::size_t MaxHeaderBytes = 1024;

std::string FileNameOf(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

MachineFileState Untrusted(MachineFileProblem problem, std::string_view path, std::string_view detail = {}) {
  MachineFileState state;
  state.Problem = problem;
  std::string& reason = state.Reason;
  reason = FileNameOf(path).substr(0, 24);
  switch (problem) {
    case MachineFileProblem::Missing: reason += " is not there"; break;
    case MachineFileProblem::Unreadable: reason += " cannot be read (" + std::string(detail.substr(0, 30)) + ")"; break;
    case MachineFileProblem::Foreign: reason += " is not ZEB's machine information"; break;
    case MachineFileProblem::OtherFormat: reason += " is of another format"; break;
    case MachineFileProblem::Truncated: reason += " is cut short"; break;
    case MachineFileProblem::Damaged: reason += " is damaged (" + std::string(detail) + ")"; break;
    case MachineFileProblem::None: break;
  }
  return state;
}

// A file open for reading, closed when it goes.
struct OpenFile {
  std::FILE* File = nullptr;
  OpenFile() = default;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (File != nullptr) std::fclose(File);
  }
};

// Opens the file and reads its header; the state says whether it is to be
// trusted so far (the mark, the header's check, the sections' places and
// the file's size).
MachineFileState OpenMachineFile(std::string_view path, OpenFile& opened, Header& header) {
  const std::string name(path);
  errno = 0;
  opened.File = std::fopen(name.c_str(), "rb");
  if (opened.File == nullptr) {
    if (errno == ENOENT) return Untrusted(MachineFileProblem::Missing, path);
    return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  }
  char bytes[MaxHeaderBytes];
  const std::size_t read = std::fread(bytes, 1, sizeof bytes, opened.File);
  if (std::ferror(opened.File)) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  const std::string_view start(bytes, read);
  const std::size_t firstLine = start.find('\n');
  const std::string_view mark = start.substr(0, firstLine);
  if (firstLine == std::string_view::npos && machine_file::Mark.starts_with(mark)) {
    return Untrusted(MachineFileProblem::Truncated, path);
  }
  if (mark != machine_file::Mark) {
    return Untrusted(mark.starts_with(machine_file::MarkStem) ? MachineFileProblem::OtherFormat
                                                              : MachineFileProblem::Foreign,
                     path);
  }
  std::size_t headerBytes = 0;
  bool complete = false, checked = false;
  if (!machine_file::ParseHeader(start, header, headerBytes, complete, checked)) {
    if (!complete && read < sizeof bytes) return Untrusted(MachineFileProblem::Truncated, path);
    return Untrusted(MachineFileProblem::Damaged, path, checked ? "its header is out of order" : "its check does not match");
  }
  const Section& roms = header.Roms;
  const Section& summaries = header.Summaries;
  const Section& devices = header.Devices;
  if (roms.Offset != headerBytes || summaries.Offset != roms.Offset + roms.Bytes ||
      devices.Offset != summaries.Offset + summaries.Bytes || roms.Machines != summaries.Machines + devices.Machines) {
    return Untrusted(MachineFileProblem::Damaged, path, "its header is out of order");
  }
  if (std::fseek(opened.File, 0, SEEK_END) != 0) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  const long size = std::ftell(opened.File);
  if (size < 0) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  const uint64_t expected = devices.Offset + devices.Bytes;
  if (static_cast<uint64_t>(size) < expected) return Untrusted(MachineFileProblem::Truncated, path);
  if (static_cast<uint64_t>(size) > expected) {
    return Untrusted(MachineFileProblem::Damaged, path, "longer than its header says");
  }
  MachineFileState state;
  state.Version = header.Version;
  state.Machines = static_cast<int32_t>(roms.Machines);
  return state;
}

MachineFileState OutOfOrder(std::string_view path) {
  return Untrusted(MachineFileProblem::Damaged, path, "its contents are out of order");
}

// Reads a section in blocks, taking its check as it goes, and hands the
// whole lines of each block (each ending in its LF) to `take`, which says
// false for lines out of order. The 8 bytes after a block's last may be
// read (they are zeroes, or the start of the next line). The state says whether the section is to be
// trusted: whatever `take` made of the lines is to be thrown away when it
// is not.
template <typename Take>
MachineFileState ReadSectionBlocks(std::string_view path, const OpenFile& opened, const Section& section, Take take) {
  constexpr std::size_t BlockBytes = 256 * 1024;
  if (std::fseek(opened.File, static_cast<long>(section.Offset), SEEK_SET) != 0) {
    return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  }
  constexpr std::size_t Slack = 8;
  std::size_t capacity = BlockBytes;
  std::unique_ptr<char[]> buffer(new char[capacity + Slack]);
  std::size_t kept = 0;  // the start of a line, from the block before
  MachineCheck check = MachineCheckStart();
  bool inOrder = true;
  for (uint64_t left = section.Bytes; left > 0;) {
    if (kept == capacity) {  // a line longer than a block
      std::unique_ptr<char[]> larger(new char[capacity * 2 + Slack]);
      std::memcpy(larger.get(), buffer.get(), kept);
      buffer = std::move(larger);
      capacity *= 2;
    }
    const std::size_t wanted = static_cast<std::size_t>(std::min<uint64_t>(left, capacity - kept));
    const std::size_t read = std::fread(buffer.get() + kept, 1, wanted, opened.File);
    if (std::ferror(opened.File)) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
    if (read < wanted) return Untrusted(MachineFileProblem::Truncated, path);
    left -= read;
    MachineCheckAdd(check, std::string_view(buffer.get() + kept, read));
    const std::size_t filled = kept + read;
    std::memset(buffer.get() + filled, 0, Slack);
    std::size_t whole = filled;
    while (whole > 0 && buffer[whole - 1] != '\n') --whole;
    if (inOrder && whole > 0) inOrder = take(std::string_view(buffer.get(), whole));
    kept = filled - whole;
    std::memmove(buffer.get(), buffer.get() + whole, kept);
  }
  if (MachineCheckEnd(check) != section.Check) {
    return Untrusted(MachineFileProblem::Damaged, path, "its check does not match");
  }
  if (!inOrder || kept > 0) return OutOfOrder(path);
  return MachineFileState();
}

// The same, line by line (without the LF); Machines counts the lines.
template <typename Take>
MachineFileState ReadSection(std::string_view path, const OpenFile& opened, const Section& section, Take take) {
  int64_t lines = 0;
  MachineFileState state = ReadSectionBlocks(path, opened, section, [&](std::string_view block) {
    for (std::size_t at = 0; at < block.size();) {
      const std::size_t end = block.find('\n', at);
      ++lines;
      if (!take(block.substr(at, end - at))) return false;
      at = end + 1;
    }
    return true;
  });
  state.Machines = static_cast<int32_t>(lines);
  return state;
}

// The summary section's lines, each to `take` (the file open and its header
// read).
template <typename Take>
MachineFileState ReadSummaries(std::string_view path, const OpenFile& opened, const Section& section, Take take) {
  MachineFileState read = ReadSection(path, opened, section, take);
  if (read.Trusted() && read.Machines != section.Machines) return OutOfOrder(path);
  return read;
}

// A summary line's name and summary, for `take(name, summary)`; a device's
// must be in the devices' section and no other machine's.
template <typename Take>
auto SummaryLines(bool devices, Take take) {
  return [devices, take, named = NamedSummary()](std::string_view line) mutable {
    return machine_file::ParseSummaryLine(line, named.Name, named.Summary, named.CloneOf, named.RomOf) &&
           named.Summary.IsDevice == devices && take(named);
  };
}

// Both summary sections, the machines' first.
template <typename Take>
MachineFileState ReadAllSummaries(std::string_view path, OpenFile& opened, Header& header, Take take) {
  MachineFileState state = OpenMachineFile(path, opened, header);
  if (!state.Trusted()) return state;
  for (bool devices : {false, true}) {
    MachineFileState read = ReadSummaries(path, opened, devices ? header.Devices : header.Summaries,
                                          SummaryLines(devices, [&](const NamedSummary& named) { return take(named); }));
    if (!read.Trusted()) return read;
  }
  return state;
}

}  // namespace

MachineFileState ReadGameMachines(const GameTable& table, GameMachines& machines, std::string_view path) {
  machines = GameMachines();
  OpenFile opened;
  Header header;
  MachineFileState state = OpenMachineFile(path, opened, header);
  if (!state.Trusted()) return state;
  GameMachines joined;
  GameJoin join(table, joined);
  MachineSummary unused;  // for a machine the table does not have
  ShortString parentsUnused;
  std::string name;
  int64_t lines = 0;
  // A line with a "\" in any of its texts.
  auto escapedLine = [&](std::string_view line, bool devices) {
    if (!machine_file::ParseSummaryLine(line, name, unused, parentsUnused, parentsUnused) || unused.IsDevice != devices) {
      return false;
    }
    const int32_t game = join.Find(name);
    if (game != 0) {
      join.Slot(game) = unused;
      join.Assigned(game);
    }
    return true;
  };
  // The lines of a block: where none holds a "\" (as a rule), each is
  // read in one pass, the name tried against the game first.
  auto joinBlock = [&](bool devices) {
    return [&, devices](std::string_view block) {
      const bool plain = std::memchr(block.data(), '\\', block.size()) == nullptr;
      const char* p = block.data();
      const char* const end = p + block.size();
      while (p < end) {
        ++lines;
        const char* tab = machine_file::FieldStop(p);  // the block ends in a LF
        if (!plain) {
          const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
          if (!escapedLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)), devices)) return false;
          p = lineEnd + 1;
          continue;
        }
        if (*tab != '\t' || tab == p) return false;
        const int32_t game = join.Find(std::string_view(p, static_cast<std::size_t>(tab - p)));
        MachineSummary* summary = &unused;
        if (game != 0) {
          summary = &join.Slot(game);
          if (joined.Named[static_cast<std::size_t>(game)]) *summary = MachineSummary();  // named twice
        }
        p = machine_file::ParsePlainSummaryRest(tab + 1, *summary);
        if (p == nullptr || summary->IsDevice != devices) return false;
        if (game != 0) {
          join.Assigned(game);
        } else {
          unused = MachineSummary();
        }
      }
      return true;
    };
  };
  MachineFileState read = ReadSectionBlocks(path, opened, header.Summaries, joinBlock(false));
  if (!read.Trusted()) return read;
  if (lines != header.Summaries.Machines) return OutOfOrder(path);
  // The devices' summaries only for games still without one.
  if (join.Unnamed() > 0) {
    lines = 0;
    read = ReadSectionBlocks(path, opened, header.Devices, joinBlock(true));
    if (!read.Trusted()) return read;
    if (lines != header.Devices.Machines) return OutOfOrder(path);
  }
  join.End();
  machines = std::move(joined);
  return state;
}

MachineFileState ReadMachineSummaries(std::vector<NamedSummary>& summaries, std::string_view path) {
  summaries.clear();
  std::vector<NamedSummary> read;
  OpenFile opened;
  Header header;
  MachineFileState state = ReadAllSummaries(path, opened, header, [&](const NamedSummary& named) {
    read.push_back(named);
    return true;
  });
  if (state.Trusted()) summaries = std::move(read);
  return state;
}

MachineFileState ReadMachineFile(std::vector<MachineInfo>& machines, std::string_view path) {
  machines.clear();
  OpenFile opened;
  Header header;
  std::vector<NamedSummary> summaries;
  MachineFileState state = ReadAllSummaries(path, opened, header, [&](const NamedSummary& named) {
    summaries.push_back(named);
    return true;
  });
  if (!state.Trusted()) return state;

  // The machines in the ROM section's order: each takes the next summary of
  // its kind.
  std::vector<MachineInfo> read;
  read.reserve(summaries.size());
  std::size_t nextOfKind[2] = {0, static_cast<std::size_t>(header.Summaries.Machines)};
  const std::size_t endOfKind[2] = {static_cast<std::size_t>(header.Summaries.Machines), summaries.size()};
  std::string text;
  MachineFileState roms = ReadSection(path, opened, header.Roms, [&](std::string_view line) {
    if (line.empty()) return false;
    const char kind = line[0];
    line.remove_prefix(1);
    if (kind == machine_file::MachineMark || kind == machine_file::DeviceMark) {
      const int device = kind == machine_file::DeviceMark ? 1 : 0;
      if (nextOfKind[device] == endOfKind[device]) return false;
      NamedSummary& summary = summaries[nextOfKind[device]++];
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) return false;
      if (!machine_file::Unescape(line.substr(0, tab), text) || text != summary.Name) return false;
      MachineInfo& machine = read.emplace_back();
      machine.Name = std::move(summary.Name);
      machine.Summary = std::move(summary.Summary);
      machine.CloneOf = std::move(summary.CloneOf);
      machine.RomOf = std::move(summary.RomOf);
      return machine_file::Unescape(line.substr(tab + 1), machine.Description);
    }
    if (read.empty()) return false;
    MachineInfo& machine = read.back();
    switch (kind) {
      case 'r': return machine_file::ParseRomLine(line, machine.Roms.emplace_back());
      case 'd': return machine_file::ParseDiskLine(line, machine.Disks.emplace_back());
      case 'u':
        return !line.empty() && line.find('\t') == std::string_view::npos &&
               machine_file::Unescape(line, machine.DeviceRefs.emplace_back());
      default: return false;
    }
  });
  if (!roms.Trusted()) return roms;
  if (read.size() != summaries.size()) return OutOfOrder(path);
  machines = std::move(read);
  return state;
}

}  // namespace zeb
