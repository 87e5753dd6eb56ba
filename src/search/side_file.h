#pragma once
// The search's side files beside zeb.ini (the favourites, the games played):
// small text files of one entry a line that ZEB reads at start and writes
// whole at each change, safely (a new file of a unique name beside the old
// one, forced to the disk, then renamed over it), so that they outlast a
// quit without saving and a write cut short never damages them.
//
// They are input like any other. A line ends at CR, LF or CR LF. A line of
// more than MaxSideLine bytes is dropped whole (never read as a shorter
// one). Reading keeps what it can and never fails: a missing file is an
// empty one; a read error keeps what came before it. At most
// MaxSideEntries entries are kept; the lines after are dropped.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zeb {

constexpr std::size_t MaxSideLine = 511;
constexpr int32_t MaxSideEntries = 1000000;

// What a read of a side file kept and what it left out.
struct SideFileRead {
  int32_t Kept = 0;      // entries taken in
  int32_t Dropped = 0;   // lines that were no entry (too long, control bytes, bad fields, past the most kept)
  int32_t Repeated = 0;  // lines for a driver name read before, taken together with it
  bool Missing = false;  // there was no file
  bool Failed = false;   // the file could not be opened or read to its end
};

// Whether `name` can be kept as a driver name in a side file: 1 to 255
// bytes, none of them a blank or a control byte.
bool IsSideFileName(std::string_view name);

// `text` without the spaces and tabs at its ends.
std::string_view TrimBlanks(std::string_view text);

// The lines of a side file, one after another. Empty lines come too.
class SideFileReader {
 public:
  explicit SideFileReader(std::string_view path);
  ~SideFileReader();
  SideFileReader(const SideFileReader&) = delete;
  SideFileReader& operator=(const SideFileReader&) = delete;

  // The next line into `line` (its end characters left out); `tooLong` when
  // it had more than MaxSideLine bytes (`line` then holds none of it).
  // False at the end of the file.
  bool Next(std::string& line, bool& tooLong);
  bool Missing() const { return missing_; }
  bool Failed() const { return failed_; }

 private:
  bool Fill();
  std::FILE* file_ = nullptr;
  bool missing_ = false;
  bool failed_ = false;
  bool atEnd_ = false;
  bool afterCr_ = false;  // the last line ended at a CR: an LF right after it belongs to it
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  char buffer_[1 << 14];
};

// Writes `content` as the whole file at `path`, safely. False on any
// failure, with `reason` saying what failed (the old file then stays as it
// was, and no new file is left behind).
bool ReplaceSideFile(std::string_view path, std::string_view content, std::string& reason);

}  // namespace zeb
