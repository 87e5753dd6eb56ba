#include "app/instance_lock_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace zeb {

// The platform's ways of taking a mark (a friend of InstanceLock).
struct InstanceMarks {
  static InstanceLockResult Socket(InstanceLock& lock, const std::string& name);
  static InstanceLockResult LockFile(InstanceLock& lock, const std::string& path);
  static void Release(InstanceLock& lock);
};

namespace {

// A mark between two states (a holder that has bound its name but not yet
// listens, one that has just let go) is looked at again, this often, a few
// milliseconds apart: a second is plenty for a holder in the middle of its
// start even on a busy machine.
constexpr int Attempts = 100;

void Pause() {
  timespec pause{0, 10 * 1000 * 1000};
  nanosleep(&pause, nullptr);
}

// The lock is on the file that is under the name: a holder removes the file
// as it lets go, and a lock on a removed file is one that nobody else sees.
bool SameFile(int fd, const std::string& path) {
  struct stat held {}, named {};
  return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// The process id written in a lock file, 0 when there is none (yet).
long StoredId(int fd) {
  char text[24] = {};
  ssize_t size = pread(fd, text, sizeof text - 1, 0);
  // Whole only with its line end: the holder may be writing it right now.
  if (size < 2 || text[size - 1] != '\n') return 0;
  char* end = nullptr;
  long id = std::strtol(text, &end, 10);
  return end == text + size - 1 && id > 0 ? id : 0;
}

}  // namespace

std::string MarkName(const std::string& directory) {
  struct stat status {};
  if (stat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return "";
  return "zeb-instance-" + HexText(static_cast<unsigned long long>(status.st_dev)) + "-" +
         HexText(static_cast<unsigned long long>(status.st_ino));
}

#ifdef __linux__

std::vector<PosixMark> PosixMarks() { return {PosixMark::Socket, PosixMark::LockFile}; }

InstanceLockResult InstanceMarks::Socket(InstanceLock& lock, const std::string& name) {
  lock.holder_ = 0;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // The abstract namespace: a name that starts with a zero byte.
  if (name.size() + 1 > sizeof address.sun_path) return InstanceLockResult::Unusable;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  const auto* where = reinterpret_cast<const sockaddr*>(&address);

  for (int attempt = 0; attempt < Attempts; ++attempt) {
    // Close-on-exec: the emulator started from here must not hold the mark
    // after we end.
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return InstanceLockResult::Unusable;
    if (bind(fd, where, length) == 0) {
      // Nobody accepts: each refused start leaves a connection waiting here,
      // up to the backlog; beyond it a start is refused without the id.
      if (listen(fd, SOMAXCONN) != 0) {
        close(fd);
        return InstanceLockResult::Unusable;
      }
      lock.handle_ = fd;
      return InstanceLockResult::Taken;
    }
    int error = errno;
    close(fd);
    if (error != EADDRINUSE) return InstanceLockResult::Unusable;

    int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (client < 0) return InstanceLockResult::Unusable;
    error = connect(client, where, length) == 0 ? 0 : errno;
    if (error == 0) {
      ucred peer{};
      socklen_t size = sizeof peer;
      if (getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0) lock.holder_ = peer.pid;
      close(client);
      return InstanceLockResult::Held;
    }
    close(client);
    // The holder's backlog is full: held, by whom is not learned.
    if (error == EAGAIN) return InstanceLockResult::Held;
    // Refused: bound and not yet listening, or gone meanwhile.
    Pause();
  }
  // Bound for good by something that does not listen.
  return InstanceLockResult::Held;
}

#else

std::vector<PosixMark> PosixMarks() { return {PosixMark::LockFile}; }

InstanceLockResult InstanceMarks::Socket(InstanceLock&, const std::string&) { return InstanceLockResult::Unusable; }

#endif

InstanceLockResult InstanceMarks::LockFile(InstanceLock& lock, const std::string& path) {
  lock.holder_ = 0;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    // Never through a link. A file that another user made may be opened to
    // read only, which still shows whether it is held and by whom.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    const bool writable = fd >= 0;
    if (!writable) fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) continue;  // removed between the two opens
      return InstanceLockResult::Unusable;
    }
    if (flock(fd, (writable ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
      if (writable && SameFile(fd, path)) {
        // The id goes in after the lock: a reader that finds the file
        // empty (or with the id of a holder killed before) looks again.
        std::string id = std::to_string(getpid()) + "\n";
        if (ftruncate(fd, 0) == 0) {
          [[maybe_unused]] ssize_t written = pwrite(fd, id.data(), id.size(), 0);
        }
        lock.handle_ = fd;
        lock.file_ = path;
        return InstanceLockResult::Taken;
      }
      close(fd);
      // Nobody holds it, but it is not ours to take: another user's file.
      if (!writable) return InstanceLockResult::Unusable;
      continue;  // a lock on a file that a holder removed as it let go
    }
    if (errno != EWOULDBLOCK) {
      close(fd);
      return InstanceLockResult::Unusable;
    }
    long holder = StoredId(fd);
    close(fd);
    if (holder > 0) {
      lock.holder_ = holder;
      return InstanceLockResult::Held;
    }
    Pause();  // the holder has not written its id yet
  }
  return InstanceLockResult::Held;
}

void InstanceMarks::Release(InstanceLock& lock) {
  lock.holder_ = 0;
  if (lock.handle_ == InstanceLock::NoHandle) return;
  // The file goes while it is still locked, so that no start takes a lock
  // on it afterwards believing it the mark.
  if (!lock.file_.empty()) unlink(lock.file_.c_str());
  close(static_cast<int>(lock.handle_));
  lock.handle_ = InstanceLock::NoHandle;
  lock.file_.clear();
}

InstanceLockResult TakeMark(InstanceLock& lock, const std::string& directory, PosixMark mark,
                            const std::string& folder) {
  lock.Release();
  std::string name = MarkName(directory);
  if (name.empty()) return InstanceLockResult::Unusable;
  return mark == PosixMark::Socket ? InstanceMarks::Socket(lock, name)
                                   : InstanceMarks::LockFile(lock, folder + "/" + name);
}

InstanceLockResult InstanceLock::Take(const std::string& directory) {
  return TakeMark(*this, directory, PosixMarks().front());
}

void InstanceLock::Release() { InstanceMarks::Release(*this); }

}  // namespace zeb
