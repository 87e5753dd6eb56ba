#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

#include "storage/file_system.h"

namespace zeb {

namespace {

// The directory part of a native path ("." for a bare name).
std::string DirectoryOf(const std::string& native) {
  std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

// Forces a directory's entries to the disk. Some file systems cannot; that
// is no failure of ours.
void SyncDirectory(const std::string& directory) {
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}


}  // namespace

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

uint64_t UniqueNameSeed() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<uint64_t>(now.tv_nsec) ^ (static_cast<uint64_t>(now.tv_sec) << 30) ^
         (static_cast<uint64_t>(getpid()) << 12);
}

std::FILE* CreateNewFile(const std::string& path, bool& exists) {
  exists = false;
  std::string native = NativePath(path);
  // O_EXCL makes the file here or fails, also on a link of that name,
  // dangling or not; O_NOFOLLOW refuses a link in any case.
  int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    exists = errno == EEXIST;
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    int error = errno;
    close(fd);
    unlink(native.c_str());
    errno = error;
  }
  return file;
}

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool ReplaceFile(std::string_view from, std::string_view to) {
  std::string target = NativePath(to);
  if (std::rename(NativePath(from).c_str(), target.c_str()) != 0) return false;
  SyncDirectory(DirectoryOf(target));
  return true;
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
