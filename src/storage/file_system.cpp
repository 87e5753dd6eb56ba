// What the file system operations of both systems share.

#include "storage/file_system.h"

#include <cerrno>

namespace zeb {

std::FILE* CreateUniqueFileBeside(std::string_view path, std::string& uniqueName) {
  uint64_t state = UniqueNameSeed();  // a name that exists is passed over: the next one differs
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = UniqueNameCandidate(path, state);
    bool exists = false;
    if (std::FILE* file = CreateNewFile(name, exists)) {
      uniqueName = name;
      return file;
    }
    if (!exists) return nullptr;
  }
  errno = EEXIST;
  return nullptr;
}

std::string UniqueNameCandidate(std::string_view path, uint64_t& state) {
  // Random characters: not for secrecy, only so that names seldom meet; a
  // name that exists is simply passed over.
  static constexpr char Characters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string name(path);
  name += ".tmp.";
  for (int i = 0; i < 6; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    name += Characters[(state >> 33) % (sizeof Characters - 1)];
  }
  return name;
}

}  // namespace zeb
