#pragma once
// A text file, read or written line by line. Each operation that works on
// a file has its own and closes it before it returns.
//
// Reading: a line ends at CR, LF or CR LF (the end characters are not part of
// the line); the byte 0x1A ends the file; only the first 255 bytes of a longer
// line are kept and the rest of that line is skipped; reading at the end gives
// an empty line. Writing: every line ends with CR LF. Any input/output failure
// ends the program with the error report.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
  // For a reader that must not end the program (the --version line): false,
  // with errno set, when the file cannot be opened; a read that fails
  // afterwards ends the file, and ReadError gives its errno (0: none).
  bool OpenReadQuietly(std::string_view name);
  int ReadError() const { return readError_; }
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
  std::string_view ReadLine() {
    // Most lines lie whole in the buffer with the byte after their end: such
    // a line is given where it lies, its end stepped over at once.
    if (!ended_ && position_ < filled_) {
      const unsigned char* at = buffer_ + position_;
      const unsigned char* stop = LineEnd(at, buffer_ + filled_);
      if (stop + 1 < buffer_ + filled_ && *stop != EndMark) {
        auto run = static_cast<std::size_t>(stop - at);
        position_ += run + 1;
        if (*stop == '\r' && stop[1] == '\n') ++position_;
        return std::string_view(reinterpret_cast<const char*>(at), run < sizeof line_ ? run : sizeof line_);
      }
    }
    return ReadLineSlowly();
  }
  // The next `count` lines at once, when they all lie whole in the buffer:
  // true, and each is given where it lies (at most 255 bytes of it) until the
  // next call on the file. Otherwise false, and nothing is read: ReadLine
  // takes them one by one.
  bool ReadLinesHere(std::string_view* lines, std::size_t count) {
    if (ended_) return false;
    const unsigned char* const end = buffer_ + filled_;
    const unsigned char* at = buffer_ + position_;
    for (std::size_t i = 0; i < count; ++i) {
      if (at >= end) return false;
      const unsigned char* stop = LineEnd(at, end);
      if (stop + 1 >= end || *stop == EndMark) return false;
      auto run = static_cast<std::size_t>(stop - at);
      lines[i] = std::string_view(reinterpret_cast<const char*>(at), run < sizeof line_ ? run : sizeof line_);
      at = stop + 1;
      if (*stop == '\r' && *at == '\n') ++at;
    }
    position_ = static_cast<std::size_t>(at - buffer_);
    return true;
  }
  void WriteLine(std::string_view text);
  // True when no byte, or only the end mark 0x1A, is left to read.
  bool Eof();
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  static constexpr unsigned char EndMark = 0x1A;
  static bool EndsLine(unsigned char c) { return c == '\n' || c == '\r' || c == EndMark; }
  // The first byte from `at` on that ends a line or the file (a carriage
  // return, a line feed or the end mark), or `end`. Where the byte order
  // allows it, eight bytes at a time: the bytes below 0x1B, which all three
  // are, show as the high bits of a mask (the lowest set bit always a byte
  // below 0x1B; bits above it may come from the borrow), and each is then
  // looked at.
  static const unsigned char* LineEnd(const unsigned char* at, const unsigned char* end) {
    if constexpr (std::endian::native == std::endian::little) {
      constexpr uint64_t Ones = 0x0101010101010101ull;
      constexpr uint64_t Highs = 0x8080808080808080ull;
      for (uint64_t word; end - at >= 8; at += 8) {
        std::memcpy(&word, at, sizeof word);
        for (uint64_t low = (word - Ones * 0x1B) & ~word & Highs; low != 0; low &= low - 1) {
          const unsigned char* byte = at + std::countr_zero(low) / 8;
          if (EndsLine(*byte)) return byte;
        }
      }
    }
    while (at < end && !EndsLine(*at)) ++at;
    return at;
  }
  std::string_view ReadLineSlowly();
  // Opens `name` for reading or, replacing an old file, for writing; when
  // `quiet`, a failure is false instead of the error report.
  bool Open(std::string_view name, bool writing, bool quiet);
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
  bool quiet_ = false;  // a read error ends the file instead of the program
  int readError_ = 0;
  char name_[256] = {};
  char line_[ShortString::Capacity] = {};
  std::string replacing_;  // the file a replacement is for; empty otherwise
  std::string unique_;     // the replacement's own name
};

}  // namespace zeb
