#pragma once
// The lines of the machine information file (machine_file.h describes
// them), for its writer and its readers.

#include <bit>
#include <cstdint>
#include <cstring>
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
  Section Summaries;  // of the machines but the devices
  Section Devices;    // of the devices
  Section Roms;
};

// The six header lines. Their length depends on the version only.
std::string HeaderText(const Header& header);
// The header at the start of `bytes`: true with `header` and its length in
// `size`; false when the bytes hold no whole header of the right form
// (`complete` then says whether they hold six lines at all) or when its
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
void AppendSummaryLine(std::string& out, const MachineInfo& machine);
void AppendRomLines(std::string& out, const MachineInfo& machine);
// The first byte of a machine's first line in the ROM section: a device's,
// or another machine's.
inline constexpr char DeviceMark = '*';
inline constexpr char MachineMark = '=';

// The first TAB or LF from `q` on, which must come; the 8 bytes from any
// byte before it may be read. Eight bytes at a time where the byte order
// allows it: each TAB or LF shows as the high bit of its byte in a mask
// whose lowest set bit is always the first of them.
inline const char* FieldStop(const char* q) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t Ones = 0x0101010101010101ull;
    constexpr uint64_t Highs = 0x8080808080808080ull;
    for (uint64_t word;; q += 8) {
      std::memcpy(&word, q, sizeof word);
      const uint64_t tabs = word ^ (Ones * '\t'), ends = word ^ (Ones * '\n');
      const uint64_t found = ((tabs - Ones) & ~tabs & Highs) | ((ends - Ones) & ~ends & Highs);
      if (found != 0) return q + std::countr_zero(found) / 8;
    }
  }
  while (*q != '\t' && *q != '\n') ++q;
  return q;
}

// The fields after the name of a summary line that holds no "\" (the
// common one), read in one pass into a summary at its defaults, from `p`
// (after the name's TAB) to the line's LF, which must come (and 8 bytes
// after any byte of the line may be read): past the LF, or null when they
// are not of their form.
const char* ParsePlainSummaryRest(const char* p, MachineSummary& summary);
// Any summary line's name and summary; false when it is not of that form.
bool ParseSummaryLine(std::string_view line, std::string& name, MachineSummary& summary, ShortString& cloneOf,
                      ShortString& romOf);

// The parts of a ROM section line.
bool ParseRomLine(std::string_view line, RomFile& rom);
bool ParseDiskLine(std::string_view line, DiskFile& disk);

}  // namespace zeb::machine_file
