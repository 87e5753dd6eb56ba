// Program files on Windows: the program is the file as named, relative to
// the directory it runs in, and nothing else. The system has no other name for
// "x.exe", and a program is never looked up on the search path: the
// emulator runs only from where it was told to be.

#include <cerrno>
#include <cstring>

#include "storage/file_system.h"
#include "emulator/program_file.h"
#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

const bool ExeSuffixOptional = false;
const bool HasSearchPath = false;

namespace {

// A path that names its place without the current directory: from a drive
// ("D:\MAME\", "D:mame.exe"), a server or the root of the current drive.
bool IsRooted(std::string_view path) {
  return (!path.empty() && (path.front() == '\\' || path.front() == '/')) || (path.size() >= 2 && path[1] == ':');
}

}  // namespace

std::string PlacedProgramPath(std::string_view program, const std::string& directory) {
  std::string path = NativePath(program);
  if (path.empty() || directory.empty() || IsRooted(path)) return path;
  return InDirectory(directory, path);
}

std::string RunDirectory(std::string_view directory) {
  std::string path = NativePath(directory);
  if (path.empty()) return path;
  char full[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  // A path too long for it stays as it is; the system then says what it
  // makes of it.
  if (length == 0 || length >= sizeof full) return path;
  return std::string(full, length);
}

std::string DirectoryProblem(std::string_view directory) {
  // The reasons entering the directory gives, in the C library's words as
  // every other file failure of the program.
  const std::string path = NativePath(directory);
  DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = path.empty() ? ERROR_PATH_NOT_FOUND : GetLastError();
    switch (error) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_DRIVE:
      case ERROR_BAD_NETPATH:
      case ERROR_BAD_NET_NAME:
      case ERROR_INVALID_NAME:
        return std::strerror(ENOENT);
      case ERROR_ACCESS_DENIED:
        return std::strerror(EACCES);
      default:
        return SystemMessage(error, path);
    }
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::strerror(ENOTDIR);
  return std::string();
}

bool HasDirectoryPart(std::string_view program) { return program.find_first_of("/\\:") != std::string_view::npos; }

std::string ProgramFileProblem(const std::string& path, bool& missing) {
  missing = false;
  DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = path.empty() ? ERROR_FILE_NOT_FOUND : GetLastError();
    missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return SystemMessage(error, path);
  }
  // A directory cannot run; whether a file can is the system's to say when
  // it is started.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SystemMessage(ERROR_ACCESS_DENIED, path);
  return std::string();
}

std::string MissingProgramReason() { return SystemMessage(ERROR_FILE_NOT_FOUND); }

// No search path: a program is never looked for anywhere but where it is
// named.
std::vector<std::string> SearchPathDirectories() { return {}; }

std::string InDirectory(const std::string& directory, std::string_view name) {
  std::string path = directory;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}

}  // namespace zeb
