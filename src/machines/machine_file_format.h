#pragma once
// The lines of the machine information file (machine_file.h describes
// them), for its writer and its readers.

#include <cstdint>
#include <string>
#include <string_view>

#include "machines/machine_info.h"

namespace zeb::machine_file {

inline constexpr std::string_view Mark = "ZEB machine information, format 1";
// The mark's words before the format's number: a file of another format.
inline constexpr std::string_view MarkStem = "ZEB machine information, format ";

// Where a section lies, how many machines it holds, and its check.
struct Section {
  uint64_t Offset = 0;
  uint64_t Bytes = 0;
  int64_t Machines = 0;
  uint64_t Check = 0;
};

struct Header {
  std::string Version;
  Section Summaries;
  Section Roms;
};

// The five header lines. Their length depends on the version only.
std::string HeaderText(const Header& header);
// The header at the start of `bytes`: true with `header` and its length in
// `size`; false when the bytes hold no whole header of the right form
// (`complete` then says whether they hold five lines at all) or when its
// check does not match (`checked` false).
bool ParseHeader(std::string_view bytes, Header& header, std::size_t& size, bool& complete, bool& checked);

// `text` as a field: a byte below 0x20, 0x7F and "\" as "\" and two hex
// digits.
void AppendEscaped(std::string& out, std::string_view text);
// A field back to its text; false for a "\" that is not followed by two
// upper-case hex digits.
bool Unescape(std::string_view field, std::string& text);

// A machine's line of the summary section, and its lines of the ROM
// section.
void AppendSummaryLine(std::string& out, std::string_view name, const MachineSummary& summary);
void AppendRomLines(std::string& out, const MachineInfo& machine);

// The summary line at `line` (without its LF): its name and summary. False
// when it is not of that form.
bool ParseSummaryLine(std::string_view line, std::string& name, MachineSummary& summary);

// The parts of a ROM section line.
bool ParseRomLine(std::string_view line, RomFile& rom);
bool ParseDiskLine(std::string_view line, DiskFile& disk);

}  // namespace zeb::machine_file
