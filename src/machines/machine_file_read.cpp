// Reading the machine information file: the header, then the sections
// asked for, each read whole and checked before anything is taken from it.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "machines/game_join.h"
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
    case MachineFileProblem::Missing: reason += " is not there: press M to make it"; break;
    case MachineFileProblem::Unreadable: reason += " cannot be read (" + std::string(detail.substr(0, 30)) + ")"; break;
    case MachineFileProblem::Foreign: reason += " is not ZEB's machine information: press M"; break;
    case MachineFileProblem::OtherFormat: reason += " is of another format: press M to make it anew"; break;
    case MachineFileProblem::Truncated: reason += " is cut short: press M to make it anew"; break;
    case MachineFileProblem::Damaged: reason += " is damaged (" + std::string(detail) + "): press M"; break;
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
  if (roms.Offset != headerBytes || summaries.Offset != roms.Offset + roms.Bytes || roms.Machines != summaries.Machines) {
    return Untrusted(MachineFileProblem::Damaged, path, "its header is out of order");
  }
  if (std::fseek(opened.File, 0, SEEK_END) != 0) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  const long size = std::ftell(opened.File);
  if (size < 0) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  const uint64_t expected = summaries.Offset + summaries.Bytes;
  if (static_cast<uint64_t>(size) < expected) return Untrusted(MachineFileProblem::Truncated, path);
  if (static_cast<uint64_t>(size) > expected) {
    return Untrusted(MachineFileProblem::Damaged, path, "it is longer than its header says");
  }
  MachineFileState state;
  state.Version = header.Version;
  state.Machines = static_cast<int32_t>(summaries.Machines);
  return state;
}

// A section read whole, its check compared.
struct SectionBytes {
  std::unique_ptr<char[]> Bytes;
  std::string_view View;
};

MachineFileState ReadSection(std::string_view path, const OpenFile& opened, const Section& section, SectionBytes& out) {
  out.Bytes.reset(new char[section.Bytes + 1]);
  if (std::fseek(opened.File, static_cast<long>(section.Offset), SEEK_SET) != 0) {
    return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  }
  const std::size_t read = std::fread(out.Bytes.get(), 1, section.Bytes, opened.File);
  if (std::ferror(opened.File)) return Untrusted(MachineFileProblem::Unreadable, path, std::strerror(errno));
  if (read < section.Bytes) return Untrusted(MachineFileProblem::Truncated, path);
  out.View = std::string_view(out.Bytes.get(), section.Bytes);
  if (MachineCheckOf(out.View) != section.Check) {
    return Untrusted(MachineFileProblem::Damaged, path, "its check does not match");
  }
  return MachineFileState();
}

MachineFileState OutOfOrder(std::string_view path) {
  return Untrusted(MachineFileProblem::Damaged, path, "its contents are out of order");
}

// Hands each line of a section (without its LF) to `take` until it says
// false; false when the section does not end in a LF or `take` refused.
template <typename Take>
bool ForEachLine(std::string_view bytes, Take take) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const void* found = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
    if (found == nullptr) return false;
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
    if (!take(bytes.substr(at, end - at))) return false;
    at = end + 1;
  }
  return true;
}

// The header and the summaries, each line handed to `take(name, summary)`
// (which may refuse).
template <typename Take>
MachineFileState ReadSummaries(std::string_view path, Take take) {
  OpenFile opened;
  Header header;
  MachineFileState state = OpenMachineFile(path, opened, header);
  if (!state.Trusted()) return state;
  SectionBytes section;
  MachineFileState read = ReadSection(path, opened, header.Summaries, section);
  if (!read.Trusted()) return read;
  std::string name;
  MachineSummary summary;
  int64_t lines = 0;
  bool inOrder = ForEachLine(section.View, [&](std::string_view line) {
    ++lines;
    return machine_file::ParseSummaryLine(line, name, summary) && take(name, summary);
  });
  if (!inOrder || lines != header.Summaries.Machines) return OutOfOrder(path);
  return state;
}

}  // namespace

MachineFileState ReadGameMachines(const GameTable& table, GameMachines& machines, std::string_view path) {
  machines = GameMachines();
  GameMachines joined;
  GameJoin join(table, joined);
  MachineFileState state = ReadSummaries(path, [&](const std::string& name, const MachineSummary& summary) {
    const int32_t game = join.Find(name);
    if (game != 0) {
      joined.ByGame[static_cast<std::size_t>(game)] = summary;
      join.Assigned(game);
    }
    return true;
  });
  if (!state.Trusted()) return state;
  join.End();
  machines = std::move(joined);
  return state;
}

MachineFileState ReadMachineSummaries(std::vector<NamedSummary>& summaries, std::string_view path) {
  summaries.clear();
  std::vector<NamedSummary> read;
  MachineFileState state = ReadSummaries(path, [&](const std::string& name, const MachineSummary& summary) {
    read.push_back({name, summary});
    return true;
  });
  if (state.Trusted()) summaries = std::move(read);
  return state;
}

MachineFileState ReadMachineFile(std::vector<MachineInfo>& machines, std::string_view path) {
  machines.clear();
  std::vector<MachineInfo> read;
  MachineFileState state = ReadSummaries(path, [&](const std::string& name, const MachineSummary& summary) {
    MachineInfo& machine = read.emplace_back();
    machine.Name = name;
    machine.Summary = summary;
    return true;
  });
  if (!state.Trusted()) return state;

  OpenFile opened;
  Header header;
  MachineFileState again = OpenMachineFile(path, opened, header);
  if (!again.Trusted()) return again;
  if (header.Summaries.Machines != static_cast<int64_t>(read.size())) return OutOfOrder(path);
  SectionBytes section;
  MachineFileState roms = ReadSection(path, opened, header.Roms, section);
  if (!roms.Trusted()) return roms;

  std::size_t next = 0;  // machines begun
  std::string text;
  bool inOrder = ForEachLine(section.View, [&](std::string_view line) {
    if (line.empty()) return false;
    const char kind = line[0];
    line.remove_prefix(1);
    if (kind == '=') {
      if (next == read.size()) return false;
      MachineInfo& machine = read[next++];
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) return false;
      if (!machine_file::Unescape(line.substr(0, tab), text) || text != machine.Name) return false;
      return machine_file::Unescape(line.substr(tab + 1), machine.Description);
    }
    if (next == 0) return false;
    MachineInfo& machine = read[next - 1];
    switch (kind) {
      case 'r': return machine_file::ParseRomLine(line, machine.Roms.emplace_back());
      case 'd': return machine_file::ParseDiskLine(line, machine.Disks.emplace_back());
      case 'u':
        return !line.empty() && line.find('\t') == std::string_view::npos &&
               machine_file::Unescape(line, machine.DeviceRefs.emplace_back());
      default: return false;
    }
  });
  if (!inOrder || next != read.size()) return OutOfOrder(path);
  machines = std::move(read);
  return state;
}

}  // namespace zeb
