#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "storage/directory_list.h"
#include "storage/file_system.h"

namespace zeb {

const bool FileNamesIgnoreCase = false;

std::vector<DirectoryEntry> ListDirectory(std::string_view path) {
  std::vector<DirectoryEntry> entries;
  const std::string native = path.empty() ? std::string(".") : NativePath(path);
  DIR* directory = opendir(native.c_str());
  if (directory == nullptr) return entries;
  int fd = dirfd(directory);
  while (dirent* entry = readdir(directory)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (fstatat(fd, entry->d_name, &info, 0) != 0) continue;
    DirectoryEntry& made = entries.emplace_back();
    made.Name = name;
    made.IsDirectory = S_ISDIR(info.st_mode);
    made.Size = made.IsDirectory ? 0 : static_cast<uint64_t>(info.st_size);
  }
  closedir(directory);
  return entries;
}

}  // namespace zeb
