#pragma once
// A Windows handle that is closed when it goes out of scope, for the runs
// whose output comes back to us through pipes.

#include <windows.h>

namespace zeb {

struct OwnedHandle {
  HANDLE Handle = INVALID_HANDLE_VALUE;
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : Handle(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : Handle(other.Handle) { other.Handle = INVALID_HANDLE_VALUE; }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle& operator=(OwnedHandle&&) = delete;
  ~OwnedHandle() { Close(); }
  void Close() {
    if (Handle != INVALID_HANDLE_VALUE && Handle != nullptr) CloseHandle(Handle);
    Handle = INVALID_HANDLE_VALUE;
  }
  bool Open() const { return Handle != INVALID_HANDLE_VALUE; }
};

}  // namespace zeb
