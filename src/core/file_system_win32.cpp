// The file-system operations on Windows: the paths go to the system as they
// are, "\" and all.

#include "core/file_system.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef DeleteFile

namespace zeb {

std::string NativePath(std::string_view path) { return std::string(path); }

namespace {

DWORD Attributes(std::string_view path) {
  std::string native = NativePath(path);
  if (native.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesA(native.c_str());
}

}  // namespace

bool FileExists(std::string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(std::string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFile(std::string_view path) { return DeleteFileA(NativePath(path).c_str()) != 0; }

bool RemoveEmptyDirectory(std::string_view path) { return RemoveDirectoryA(NativePath(path).c_str()) != 0; }

// Replaces an existing file of the new name, as rename does on POSIX.
bool RenameFile(std::string_view from, std::string_view to) {
  return MoveFileExA(NativePath(from).c_str(), NativePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool SetCurrentDir(std::string_view path) { return SetCurrentDirectoryA(NativePath(path).c_str()) != 0; }

std::string GetCurrentDir() {
  DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return std::string();
  std::string path(needed, '\0');
  DWORD length = GetCurrentDirectoryA(needed, path.data());
  if (length == 0 || length >= needed) return std::string();
  path.resize(length);
  return path;
}

}  // namespace zeb
