#include "app/instance_lock.h"

#include <cstdio>
#include <utility>

namespace zeb {

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : handle_(std::exchange(other.handle_, NoHandle)), file_(std::move(other.file_)), holder_(other.holder_) {
  other.file_.clear();
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, NoHandle);
    file_ = std::move(other.file_);
    other.file_.clear();
    holder_ = other.holder_;
  }
  return *this;
}

InstanceLock::~InstanceLock() { Release(); }

std::string HexText(unsigned long long value) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), Digits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return text;
}

std::string AlreadyRunningMessage(long holder) {
  std::string message = "zeb: ZEB is already running in this directory";
  if (holder > 0) message += " (process " + std::to_string(holder) + ")";
  return message;
}

bool TakeDirectoryForThisProcess(int& status) {
  // Kept to the end of the process; the system lets the mark go then, on
  // every way out.
  static InstanceLock lock;
  if (lock.Take(".") != InstanceLockResult::Held) return true;
  std::string line = AlreadyRunningMessage(lock.Holder()) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  status = AlreadyRunningStatus;
  return false;
}

}  // namespace zeb
