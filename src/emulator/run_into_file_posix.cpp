// Running a program with its output into a file and its error text
// captured, on POSIX: the file is opened here, the error text comes through
// a pipe, and the program gets them as its standard output and error. And
// running one with its output into memory, for at most a given time. No
// shell is involved.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "storage/file_system.h"
#include "emulator/processes.h"
#include "emulator/spawn_posix.h"

namespace zeb {

namespace {

constexpr std::size_t MaxErrorText = 64 * 1024;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int Fd = -1;
  Descriptor() = default;
  explicit Descriptor(int fd) : Fd(fd) {}
  Descriptor(Descriptor&& other) noexcept : Fd(other.Fd) { other.Fd = -1; }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&&) = delete;
  ~Descriptor() {
    if (Fd >= 0) close(Fd);
  }
};

std::string Reason(int error) { return std::strerror(error); }

// A program started with standard input from nothing, one of standard
// output and standard error into a pipe that is read here, the other into
// `other` (nothing when -1). Child is -1 when it did not start; Reason then
// says why.
struct PipedProgram {
  pid_t Child = -1;
  Descriptor ReadEnd;
  std::string Reason;
};

PipedProgram StartPiped(const ProgramFile& file, const std::vector<std::string>& arguments, bool outputIntoPipe,
                        int other) {
  PipedProgram started;
  if (file.Path.empty()) {
    started.Reason = file.Reason;
    return started;
  }
  Descriptor nothing{open("/dev/null", O_RDWR | O_CLOEXEC)};
  if (nothing.Fd < 0) {
    started.Reason = "cannot open /dev/null: " + Reason(errno);
    return started;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    started.Reason = Reason(errno);
    return started;
  }
  started.ReadEnd.Fd = fds[0];
  Descriptor writeEnd{fds[1]};
  if (other < 0) other = nothing.Fd;

  posix_spawn_file_actions_t actions;
  int error = posix_spawn_file_actions_init(&actions);
  if (error == 0) {
    posix_spawn_file_actions_adddup2(&actions, nothing.Fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputIntoPipe ? writeEnd.Fd : other, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputIntoPipe ? other : writeEnd.Fd, STDERR_FILENO);
    started.Child = SpawnProgram(file, arguments, &actions, error);
    posix_spawn_file_actions_destroy(&actions);
  }
  if (started.Child <= 0) {
    started.Child = -1;
    started.Reason = Reason(error);
  }
  return started;
}

// Everything the program writes to its standard error, up to the limit;
// the rest is read and dropped so the program never blocks on it.
std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0) {
      std::size_t room = MaxErrorText - std::min(text.size(), MaxErrorText);
      text.append(buffer, std::min(room, static_cast<std::size_t>(count)));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      return text;
    }
  }
}

}  // namespace

CapturedRun RunIntoFile(const ProgramFile& file, const std::vector<std::string>& arguments,
                        std::string_view outputFile) {
  CapturedRun run;
  if (file.Path.empty()) {
    run.Reason = file.Reason;
    return run;
  }
  Descriptor output{open(NativePath(outputFile).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
  if (output.Fd < 0) {
    run.Reason = "cannot write " + std::string(outputFile) + ": " + Reason(errno);
    return run;
  }
  PipedProgram started = StartPiped(file, arguments, false, output.Fd);
  if (started.Child < 0) {
    run.Reason = started.Reason;
    return run;
  }
  run.Started = true;
  run.ErrorText = ReadAll(started.ReadEnd.Fd);
  int status = WaitForProgram(started.Child);
  if (WIFEXITED(status)) {
    run.ExitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.Signal = WTERMSIG(status);
  }
  return run;
}

namespace {

// True while the program has not ended (it is not collected here).
bool StillRunning(pid_t child) {
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
  return info.si_pid == 0;
}

// Waits up to `milliseconds` for output and reads what came, keeping it
// within MaxRunOutput bytes: 1 when something came, 0 when nothing did,
// -1 when the output has ended (or cannot be read).
int ReadSome(int fd, int milliseconds, std::string& output) {
  for (;;) {
    pollfd in{fd, POLLIN, 0};
    int ready = poll(&in, 1, milliseconds);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return 0;
    if (ready < 0) return -1;
    char buffer[4096];
    ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return -1;
    std::size_t room = MaxRunOutput - std::min(output.size(), MaxRunOutput);
    output.append(buffer, std::min(room, static_cast<std::size_t>(count)));
    return 1;
  }
}

}  // namespace

OutputRun RunForOutput(const ProgramFile& file, const std::vector<std::string>& arguments, int timeoutMilliseconds) {
  OutputRun run;
  PipedProgram started = StartPiped(file, arguments, true, -1);
  if (started.Child < 0) {
    run.Reason = started.Reason;
    return run;
  }
  run.Started = true;
  const pid_t child = started.Child;
  const Descriptor& readEnd = started.ReadEnd;

  // Read until the program has ended and its output is read, or until the
  // time is up. Its end is looked for whenever the output pauses: a program
  // it started may hold the output open after its own end.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMilliseconds, 0));
  bool outputOpen = true;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (outputOpen && left > 0) {
      int got = ReadSome(readEnd.Fd, static_cast<int>(std::min<decltype(left)>(left, 50)), run.Output);
      if (got > 0) continue;
      if (got < 0) outputOpen = false;
    } else if (left > 0) {
      // The output has ended; the program's end follows at once as a rule.
      timespec pause{0, 2 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
    if (!StillRunning(child)) {
      // What it wrote just before its end (a program it started may go on
      // writing: only so much is taken).
      for (int i = 0; outputOpen && i < 256 && ReadSome(readEnd.Fd, 0, run.Output) > 0; ++i) {
      }
      break;
    }
    if (Clock::now() >= deadline) {
      kill(child, SIGKILL);
      run.TimedOut = true;
      break;
    }
  }
  int status = WaitForProgram(child);
  if (run.TimedOut) {
    run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  } else if (WIFEXITED(status)) {
    run.ExitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.Signal = WTERMSIG(status);
  }
  return run;
}

}  // namespace zeb
