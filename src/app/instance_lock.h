#pragma once
// One ZEB per directory. Each ZEB writes the whole zeb.ini it loaded, so two
// in one directory would silently undo each other's saves. At start the
// program takes a mark of its directory that the system keeps for the
// process's life only: nothing is written in the directory, and a process
// that ends in any way, killed included, leaves nothing behind that stops
// the next start. A second ZEB finds the mark taken, learns the first one's
// process id and ends with one line on standard error.
//
// The directory is known by its identity (device and file number on POSIX,
// volume serial number and file index on Windows), so two paths to it (a
// link) are the same directory.

#include <string>

namespace zeb {

enum class InstanceLockResult {
  Taken,     // this process holds the mark now
  Held,      // another process holds it (Holder() names it when known)
  Unusable,  // the system gives no mark here; the program starts without one
};

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the mark of `directory` ("." for the current one). A lock that
  // holds a mark lets it go first.
  InstanceLockResult Take(const std::string& directory);
  // Lets the mark go (the end of the process does it too).
  void Release();

  bool Holds() const { return handle_ != NoHandle; }
  // After Take gave Held: the holder's process id, 0 when it cannot be
  // learned.
  long Holder() const { return holder_; }

 private:
  friend struct InstanceMarks;  // the platform's ways of taking a mark

  // The system object that holds the mark: a descriptor or a handle.
  static constexpr long long NoHandle = -1;
  long long handle_ = NoHandle;
  // A file of the mark's own, outside the directory, removed on release
  // (the POSIX lock-file mark only).
  std::string file_;
  long holder_ = 0;
};

// The mark's name is made of the directory's identity, written in lower-case
// hexadecimal digits.
std::string HexText(unsigned long long value);

// Exit status of a start refused because another ZEB runs in the directory.
constexpr int AlreadyRunningStatus = 1;

// The refusal's line, without its line end.
std::string AlreadyRunningMessage(long holder);

// Takes the mark of the current directory for the rest of the process's
// life. False when another ZEB holds it: the line went to standard error and
// the program is to end with `status`.
bool TakeDirectoryForThisProcess(int& status);

}  // namespace zeb
