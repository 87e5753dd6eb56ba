#pragma once
// The two marks of a directory on POSIX systems. Both are built wherever
// the system has them, so that the tests try each on Linux.
//
// - Socket (Linux): a stream socket in the abstract namespace, named from
//   the directory's device and file number, bound and listening for the
//   process's life. It is no file: the name goes with the socket when the
//   process ends, however it ends. A second ZEB finds the name taken,
//   connects, and reads the listener's process id (SO_PEERCRED).
// - LockFile (every POSIX system): an exclusive flock on a file named the
//   same way in a folder outside the directory (/tmp), which holds the
//   holder's process id. The system drops the lock when the process ends;
//   the holder removes the file when it lets go, and a file left by a
//   killed process is taken over by the next start. A second ZEB that finds
//   the file locked reads the id from it.

#include <string>
#include <vector>

#include "app/instance_lock.h"

namespace zeb {

enum class PosixMark { Socket, LockFile };

// The marks this system has; the first is the one Take uses.
std::vector<PosixMark> PosixMarks();

// Where the lock-file mark keeps its files.
inline constexpr const char* LockFileFolder = "/tmp";

// Takes the mark of `directory` the given way; `folder` is for LockFile.
InstanceLockResult TakeMark(InstanceLock& lock, const std::string& directory, PosixMark mark,
                            const std::string& folder = LockFileFolder);

// The name both marks give `directory`: "zeb-instance-" with its device and
// file number; empty when the directory cannot be looked at.
std::string MarkName(const std::string& directory);

}  // namespace zeb
