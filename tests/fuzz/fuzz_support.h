#pragma once
// What the fuzz targets share: a property check that stops the run with the
// input that broke it, a private working directory, whole-file writes and
// reads, and the line rules of the program's text files written out plainly
// as a model to compare the real reader with.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "storage/fatal.h"
#include "storage/file_system.h"
#include "support/temp_dir.h"

namespace zeb::fuzz {

// A broken property: says which and aborts, so that libFuzzer (or the
// corpus run) reports the input.
[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz property broken: %s\n", file, line, what);
  std::abort();
}

#define ZEB_FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::zeb::fuzz::Broken(#condition, __FILE__, __LINE__))

// An error report where none is expected is a finding as well.
inline void AbortOnFatal() {
  SetFatalHandler([](std::string_view message) {
    std::fprintf(stderr, "unexpected error report: %.*s\n", static_cast<int>(message.size()), message.data());
    std::abort();
  });
}

inline std::string_view Bytes(const uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// A temporary directory of this process's own, made on first use and
// removed when the process ends normally. Its path is absolute. It is in
// memory (/dev/shm) when it can be and TMPDIR does not say otherwise: on a
// disk file system a file replaced by truncation or renaming is flushed,
// which would cost the settings target most of its time.
inline const std::string& PrivateDir() {
  // Never destroyed before the exit: the removal then still needs it.
  static testing_support::TempDir* dir = [] {
    std::vector<std::filesystem::path> bases;
    if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm")) bases.push_back("/dev/shm");
    bases.push_back(std::filesystem::temp_directory_path());
    for (const std::filesystem::path& base : bases) {
      try {
        auto* made = new testing_support::TempDir(testing_support::TempDir::Stay, base);
        std::atexit([] { delete dir; });
        return made;
      } catch (const std::filesystem::filesystem_error&) {
        // not writable here: the next base
      }
    }
    std::fprintf(stderr, "cannot make a private directory\n");
    std::abort();
  }();
  return dir->Path();
}

// The private directory is the current directory for the life of the
// object; the program reads its files from there. The fuzzer's own relative
// paths work again as soon as the input is done.
class InPrivateDir {
 public:
  InPrivateDir() : old_(GetCurrentDir()) {
    if (!SetCurrentDir(PrivateDir())) std::abort();
  }
  ~InPrivateDir() { SetCurrentDir(old_); }
  InPrivateDir(const InPrivateDir&) = delete;
  InPrivateDir& operator=(const InPrivateDir&) = delete;

 private:
  std::string old_;
};

inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::perror(path.c_str());
    std::abort();
  }
  bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(path.c_str());
    std::abort();
  }
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[1 << 14];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// The lines of a text file as the program must read them: the byte 0x1A
// ends the file; a line ends at CR, LF or CR LF, which are not part of it;
// only the first 255 bytes of a line are kept.
inline std::vector<std::string> ModelLines(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\x1a'));
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(at, std::min<std::size_t>(end - at, 255)));
    at = end;
    if (at < bytes.size()) at += bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
  }
  return lines;
}

// Line `index` (0-based) as a read gives it: an empty line past the end.
inline std::string_view LineAt(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
}

// A small deterministic choice of numbers from the input itself, so that a
// finding replays the same way.
inline uint64_t InputHash(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace zeb::fuzz
