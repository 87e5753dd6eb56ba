#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "core/file_system.h"

namespace zeb {

const std::string_view PathCharacters = "/.-";

std::string NativePath(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

bool FileExists(std::string_view path) {
  struct stat info {};
  std::string native = NativePath(path);
  if (native.empty() || stat(native.c_str(), &info) != 0) return false;
  return !S_ISDIR(info.st_mode);
}

bool DeleteFile(std::string_view path) { return unlink(NativePath(path).c_str()) == 0; }

bool RemoveEmptyDirectory(std::string_view path) { return rmdir(NativePath(path).c_str()) == 0; }

bool RenameFile(std::string_view from, std::string_view to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool SetCurrentDir(std::string_view path) { return chdir(NativePath(path).c_str()) == 0; }

std::string GetCurrentDir() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

}  // namespace zeb
