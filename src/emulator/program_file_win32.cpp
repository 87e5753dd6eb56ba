// Program files on Windows: the program is the file as named, relative to
// the current directory, and nothing else. The system has no other name for
// "x.exe", and a program is never looked up on the search path: the
// emulator runs only from where it was told to be.

#include "storage/file_system.h"
#include "emulator/program_file.h"
#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

const bool ExeSuffixOptional = false;
const bool HasSearchPath = false;

std::string PlacedProgramPath(std::string_view program) { return NativePath(program); }

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
