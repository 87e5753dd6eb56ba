#include "storage/directory_list.h"
#include "storage/file_system.h"

#include <windows.h>

namespace zeb {

const bool FileNamesIgnoreCase = true;

std::vector<DirectoryEntry> ListDirectory(std::string_view path) {
  std::vector<DirectoryEntry> entries;
  std::string pattern = NativePath(path);
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string_view name = found.cFileName;
    if (name == "." || name == "..") continue;
    DirectoryEntry& made = entries.emplace_back();
    made.Name = name;
    made.IsDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    made.Size = made.IsDirectory ? 0 : (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  } while (FindNextFileA(search, &found) != 0);
  FindClose(search);
  return entries;
}

}  // namespace zeb
