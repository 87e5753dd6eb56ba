// Running a program with its output into a file and its error text
// captured, on POSIX: the file is opened here, the error text comes through
// a pipe, and the program gets them as its standard output and error. No
// shell is involved.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "storage/file_system.h"
#include "emulator/launch.h"
#include "emulator/spawn_posix.h"

namespace zeb {

namespace {

constexpr std::size_t MaxErrorText = 64 * 1024;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int Fd = -1;
  ~Descriptor() {
    if (Fd >= 0) close(Fd);
  }
};

std::string Reason(int error) { return std::strerror(error); }

pid_t Start(const ProgramFile& file, const std::vector<std::string>& arguments, int output, int errorPipe,
            int nullInput, int& error) {
  posix_spawn_file_actions_t actions;
  error = posix_spawn_file_actions_init(&actions);
  if (error != 0) return -1;
  posix_spawn_file_actions_adddup2(&actions, nullInput, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errorPipe, STDERR_FILENO);
  pid_t child = SpawnProgram(file.Path, arguments, &actions, error);
  posix_spawn_file_actions_destroy(&actions);
  return child;
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
  Descriptor nullInput{open("/dev/null", O_RDONLY | O_CLOEXEC)};
  if (nullInput.Fd < 0) {
    run.Reason = "cannot open /dev/null: " + Reason(errno);
    return run;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    run.Reason = Reason(errno);
    return run;
  }
  Descriptor readEnd{fds[0]};
  Descriptor writeEnd{fds[1]};

  int error = 0;
  pid_t child = Start(file, arguments, output.Fd, writeEnd.Fd, nullInput.Fd, error);
  close(writeEnd.Fd);
  writeEnd.Fd = -1;
  if (child <= 0) {
    run.Reason = Reason(error);
    return run;
  }
  run.Started = true;
  run.ErrorText = ReadAll(readEnd.Fd);
  int status = WaitForProgram(child);
  if (WIFEXITED(status)) {
    run.ExitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.Signal = WTERMSIG(status);
  }
  return run;
}

}  // namespace zeb
