// The file-system operations on Windows: the paths go to the system as they
// are, "\" and all.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "storage/file_system.h"

#include <windows.h>
#undef DeleteFile
#undef ReplaceFile

namespace zeb {

namespace {

DWORD Attributes(std::string_view path) {
  std::string native = NativePath(path);
  if (native.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesA(native.c_str());
}

// The C library's number for the system's last error, so that the error
// report gives its message as for every other file failure.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_CURRENT_DIRECTORY:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
      return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

bool Failed() {
  errno = ErrnoOf(GetLastError());
  return false;
}


}  // namespace

// Windows paths need no characters besides those the path fields always
// took.
const std::string_view PathCharacters = "";

std::string NativePath(std::string_view path) { return std::string(path); }

bool FileExists(std::string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DeleteFile(std::string_view path) { return DeleteFileA(NativePath(path).c_str()) != 0; }

bool RemoveEmptyDirectory(std::string_view path) { return RemoveDirectoryA(NativePath(path).c_str()) != 0; }

uint64_t UniqueNameSeed() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 12);
}

std::FILE* CreateNewFile(const std::string& path, bool& exists) {
  exists = false;
  std::string native = NativePath(path);
  // CREATE_NEW makes the file here or fails, also on a link or any other
  // reparse point of that name; the flag keeps the system from following
  // one in any case.
  HANDLE handle = CreateFileA(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    errno = ErrnoOf(error);
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  std::FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (file == nullptr) {
    int error = errno;
    if (fd >= 0) {
      _close(fd);
    } else {
      CloseHandle(handle);
    }
    DeleteFileA(native.c_str());
    errno = error;
  }
  return file;
}

bool SyncFile(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return false;
  }
  return FlushFileBuffers(handle) != 0 || Failed();
}

bool ReplaceFile(std::string_view from, std::string_view to) {
  // Write-through: the call returns once the new entry is on the disk.
  return MoveFileExA(NativePath(from).c_str(), NativePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
         Failed();
}

bool SetCurrentDir(std::string_view path) {
  return SetCurrentDirectoryA(NativePath(path).c_str()) != 0 || Failed();
}

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
