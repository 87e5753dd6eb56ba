#pragma once
// A text file, read or written line by line. Each operation that works on
// a file has its own and closes it before it returns.
//
// Reading: a line ends at CR, LF or CR LF (the end characters are not part of
// the line); the byte 0x1A ends the file; only the first 255 bytes of a longer
// line are kept and the rest of that line is skipped; reading at the end gives
// an empty line. Writing: every line ends with CR LF. Any input/output failure
// ends the program with the error report.

#include <cstdio>
#include <string>
#include <string_view>

#include "storage/short_string.h"

namespace zeb {

class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();

  void OpenRead(std::string_view name);
  void Create(std::string_view name);  // for writing; replaces an old file
  // For writing a file that takes the place of `name` only when it is
  // complete: the lines go to a new file of a unique name beside it (never
  // an existing file or link), which Close forces to the disk and renames
  // over `name`. On any failure the new file is removed and the old one
  // stays as it was.
  void CreateReplacing(std::string_view name);
  // The next line, at most 255 bytes of it. The view is of the file's own
  // buffers: it holds until the next call on the file (Eof included), so
  // store it (assign it to a ShortString) before going on.
  std::string_view ReadLine();
  void WriteLine(std::string_view text);
  // True when no byte, or only the end mark 0x1A, is left to read.
  bool Eof();
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  int Peek();
  bool Fill();
  void RememberName(std::string_view name);
  // Ends the program with the input/output error report, after removing an
  // unfinished replacement.
  [[noreturn]] void Fail(std::string_view action, std::string_view name);
  void Abandon();
  std::FILE* file_ = nullptr;
  unsigned char buffer_[1 << 16] = {};
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool writing_ = false;
  bool ended_ = false;  // the end mark 0x1A has been reached
  char name_[256] = {};
  char line_[ShortString::Capacity] = {};
  std::string replacing_;  // the file a replacement is for; empty otherwise
  std::string unique_;     // the replacement's own name
};

}  // namespace zeb
