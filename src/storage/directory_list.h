#pragma once
// What a directory holds, read once: the names of its entries, which of them
// are directories, and the files' sizes. Paths are in the program's form
// ("\" between names), as for the other file-system operations.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

struct DirectoryEntry {
  std::string Name;
  bool IsDirectory = false;
  uint64_t Size = 0;  // of a file; 0 for a directory
};

// The entries of the directory at `path`, "." and ".." left out, in the
// order the system gives them. On POSIX a symbolic link counts as what it
// points to, and one that points nowhere is left out. Empty when the
// directory cannot be read.
std::vector<DirectoryEntry> ListDirectory(std::string_view path);

// True where the system takes "Galaga.zip" and "galaga.zip" for one name
// (Windows); false where names are exact (POSIX).
extern const bool FileNamesIgnoreCase;

}  // namespace zeb
