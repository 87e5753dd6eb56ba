// The mark of a directory on Windows: a named file mapping (shared memory
// backed by the paging file, no file on disk) in the session's Local
// namespace, named from the directory's volume serial number and file index,
// holding the process id of the ZEB that made it. The system removes a named
// object with the last handle to it, which the end of the process closes
// however it ends. A second ZEB finds the name taken and reads the id.

#include <cstdint>
#include <string>

#include "app/instance_lock.h"

#include <windows.h>

namespace zeb {

// The platform's ways of taking a mark (a friend of InstanceLock).
struct InstanceMarks {
  static InstanceLockResult Mapping(InstanceLock& lock, const std::string& name);
};

namespace {

// A holder that has made the mapping but not yet written its id into it is
// looked at again, this often, a few milliseconds apart.
constexpr int Attempts = 100;

// "Local\zeb-instance-" with the directory's volume and file index; empty
// when the directory cannot be looked at.
std::string MarkName(const std::string& directory) {
  // Only the directory's attributes are read; others may do anything with it
  // meanwhile. A directory opens only with FILE_FLAG_BACKUP_SEMANTICS.
  HANDLE handle = CreateFileA(directory.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "";
  BY_HANDLE_FILE_INFORMATION information{};
  bool known = GetFileInformationByHandle(handle, &information) != FALSE &&
               (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  CloseHandle(handle);
  if (!known) return "";
  const unsigned long long index =
      (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  return "Local\\zeb-instance-" + HexText(information.dwVolumeSerialNumber) + "-" + HexText(index);
}

}  // namespace

InstanceLockResult InstanceMarks::Mapping(InstanceLock& lock, const std::string& name) {
  lock.holder_ = 0;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    // Not inheritable: the emulator started from here must not keep the
    // mark after we end.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), name.c_str());
    if (mapping == nullptr) {
      // Another kind of object under the name, or no right to it: held,
      // by whom is not known.
      return GetLastError() == ERROR_INVALID_HANDLE || GetLastError() == ERROR_ACCESS_DENIED
                 ? InstanceLockResult::Held
                 : InstanceLockResult::Unusable;
    }
    const bool made = GetLastError() != ERROR_ALREADY_EXISTS;
    auto* id = static_cast<LONG volatile*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    if (id == nullptr) {
      CloseHandle(mapping);
      return InstanceLockResult::Unusable;
    }
    if (made) {
      InterlockedExchange(id, static_cast<LONG>(GetCurrentProcessId()));
      UnmapViewOfFile(const_cast<LONG*>(id));
      lock.handle_ = static_cast<long long>(reinterpret_cast<std::intptr_t>(mapping));
      return InstanceLockResult::Taken;
    }
    const LONG holder = InterlockedCompareExchange(id, 0, 0);
    UnmapViewOfFile(const_cast<LONG*>(id));
    CloseHandle(mapping);
    if (holder != 0) {
      lock.holder_ = holder;
      return InstanceLockResult::Held;
    }
    // Made a moment ago, its id not yet written (or its maker gone already).
    Sleep(10);
  }
  return InstanceLockResult::Held;
}

InstanceLockResult InstanceLock::Take(const std::string& directory) {
  Release();
  holder_ = 0;
  std::string name = MarkName(directory);
  if (name.empty()) return InstanceLockResult::Unusable;
  return InstanceMarks::Mapping(*this, name);
}

void InstanceLock::Release() {
  if (handle_ == NoHandle) return;
  CloseHandle(reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle_)));
  handle_ = NoHandle;
}

}  // namespace zeb
