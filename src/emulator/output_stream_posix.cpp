// Streaming a program's output on POSIX: standard output and standard
// error come through pipes that are polled together; `take` gets each read
// of the output, or an empty chunk when the poll's pace runs out.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "emulator/output_stream.h"
#include "emulator/spawn_posix.h"

namespace zeb {

namespace {

constexpr std::size_t MaxErrorText = 64 * 1024;
constexpr std::size_t ChunkBytes = 64 * 1024;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int Fd = -1;
  Descriptor() = default;
  explicit Descriptor(int fd) : Fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  void Close() {
    if (Fd >= 0) close(Fd);
    Fd = -1;
  }
};

bool MakePipe(Descriptor& readEnd, Descriptor& writeEnd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  readEnd.Fd = fds[0];
  writeEnd.Fd = fds[1];
  return true;
}

// True while the program has not ended (it is not collected here).
bool StillRunning(pid_t child) {
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
  return info.si_pid == 0;
}

// Reads what one pipe holds: the bytes, or false at its end (or a failure).
bool ReadPipe(int fd, char* buffer, std::size_t size, std::size_t& count) {
  for (;;) {
    ssize_t got = read(fd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    count = static_cast<std::size_t>(got);
    return true;
  }
}

}  // namespace

StreamRun RunStreaming(const ProgramFile& file, const std::vector<std::string>& arguments,
                       const std::function<bool(std::string_view chunk)>& take) {
  StreamRun run;
  if (file.Path.empty()) {
    run.Reason = file.Reason;
    return run;
  }
  Descriptor nothing{open("/dev/null", O_RDONLY | O_CLOEXEC)};
  if (nothing.Fd < 0) {
    run.Reason = std::string("cannot open /dev/null: ") + std::strerror(errno);
    return run;
  }
  Descriptor output, outputWrite, errors, errorsWrite;
  if (!MakePipe(output, outputWrite) || !MakePipe(errors, errorsWrite)) {
    run.Reason = std::strerror(errno);
    return run;
  }
  posix_spawn_file_actions_t actions;
  int error = posix_spawn_file_actions_init(&actions);
  pid_t child = -1;
  if (error == 0) {
    posix_spawn_file_actions_adddup2(&actions, nothing.Fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputWrite.Fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errorsWrite.Fd, STDERR_FILENO);
    child = SpawnProgram(file, arguments, &actions, error);
    posix_spawn_file_actions_destroy(&actions);
  }
  outputWrite.Close();
  errorsWrite.Close();
  if (child <= 0) {
    run.Reason = std::strerror(error);
    return run;
  }
  run.Started = true;

  // Read until both pipes have ended and the program has ended; once the
  // program has ended, only what the pipes hold then (a program it started
  // may keep them open). Its end is looked for whenever they are quiet.
  std::string buffer(ChunkBytes, '\0');
  auto keepError = [&](std::size_t got) {
    std::size_t room = MaxErrorText - std::min(run.ErrorText.size(), MaxErrorText);
    run.ErrorText.append(buffer.data(), std::min(room, got));
  };
  bool ended = false;
  while (!ended && !run.Stopped) {
    pollfd watched[2];
    nfds_t count = 0;
    if (output.Fd >= 0) watched[count++] = {output.Fd, POLLIN, 0};
    if (errors.Fd >= 0) watched[count++] = {errors.Fd, POLLIN, 0};
    if (count == 0 && !StillRunning(child)) break;
    int ready = poll(count > 0 ? watched : nullptr, count, StreamPaceMilliseconds);
    if (ready < 0 && errno == EINTR) continue;
    bool gave = false;
    for (nfds_t i = 0; ready > 0 && i < count && !run.Stopped; ++i) {
      if (watched[i].revents == 0) continue;
      const bool isOutput = watched[i].fd == output.Fd;
      std::size_t got = 0;
      if (!ReadPipe(watched[i].fd, buffer.data(), buffer.size(), got)) {
        (isOutput ? output : errors).Close();
      } else if (isOutput) {
        gave = true;
        run.Stopped = !take(std::string_view(buffer.data(), got));
      } else {
        keepError(got);
      }
    }
    if (!gave && !run.Stopped) run.Stopped = !take(std::string_view());
    if (ready <= 0 && !StillRunning(child)) ended = true;
  }
  // What the pipes still hold, without waiting for more.
  for (Descriptor* pipe : {&output, &errors}) {
    for (int reads = 0; ended && !run.Stopped && pipe->Fd >= 0 && reads < 1024; ++reads) {
      pollfd one{pipe->Fd, POLLIN, 0};
      std::size_t got = 0;
      if (poll(&one, 1, 0) <= 0 || !ReadPipe(pipe->Fd, buffer.data(), buffer.size(), got)) break;
      if (pipe == &output) {
        run.Stopped = !take(std::string_view(buffer.data(), got));
      } else {
        keepError(got);
      }
    }
  }
  if (run.Stopped) kill(child, SIGKILL);
  output.Close();
  errors.Close();
  int status = WaitForProgram(child);
  if (WIFEXITED(status) && !run.Stopped) {
    run.ExitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.Signal = WTERMSIG(status);
  }
  return run;
}

}  // namespace zeb
