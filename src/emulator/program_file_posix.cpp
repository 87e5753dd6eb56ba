// Program files on POSIX: "/" separates directories ("\" is mapped to it),
// a file can run when it is a regular file we may execute, and the search
// path is PATH (the system's default path when PATH is not set).

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "storage/file_system.h"
#include "emulator/program_file.h"

namespace zeb {

const bool ExeSuffixOptional = true;
const bool HasSearchPath = true;

std::string PlacedProgramPath(std::string_view program, const std::string& directory) {
  std::string path = NativePath(program);
  if (path.empty() || path.front() == '/') return path;
  if (!directory.empty()) return InDirectory(directory, path);
  if (path.find('/') == std::string::npos) path.insert(0, "./");
  return path;
}

std::string RunDirectory(std::string_view directory) {
  std::string path = NativePath(directory);
  if (path.empty() || path.front() == '/') return path;
  // Without our own directory the relative path is all there is.
  const std::string current = GetCurrentDir();
  return current.empty() ? path : InDirectory(current, path);
}

std::string DirectoryProblem(std::string_view directory) {
  // What entering it would say: it must be a directory we may search.
  const std::string path = NativePath(directory);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
  if (access(path.c_str(), X_OK) != 0) return std::strerror(errno);
  return std::string();
}

bool HasDirectoryPart(std::string_view program) { return program.find_first_of("/\\") != std::string_view::npos; }

std::string ProgramFileProblem(const std::string& path, bool& missing) {
  missing = false;
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) {
    int error = path.empty() ? ENOENT : errno;
    missing = error == ENOENT || error == ENOTDIR;
    return std::strerror(error);
  }
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(info.st_mode)) return std::strerror(EACCES);
  if (access(path.c_str(), X_OK) != 0) return std::strerror(errno);
  return std::string();
}

std::string MissingProgramReason() { return std::strerror(ENOENT); }

std::vector<std::string> SearchPathDirectories() {
  std::string path;
  if (const char* variable = std::getenv("PATH"); variable != nullptr) {
    path = variable;
  } else {
    std::size_t size = confstr(_CS_PATH, nullptr, 0);
    if (size > 0) {
      path.resize(size);
      confstr(_CS_PATH, path.data(), size);
      path.resize(size - 1);
    }
  }
  std::vector<std::string> directories;
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = path.find(':', start);
    std::string entry = path.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    directories.push_back(entry.empty() ? "." : entry);
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return directories;
}

std::string InDirectory(const std::string& directory, std::string_view name) {
  std::string path = directory;
  if (path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace zeb
