// Running a program and waiting for its end, on POSIX. The command line is
// formed as on Windows and split by the Windows rules, so the program gets
// the same words it would get there; no shell ever sees it.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/terminal_signals_posix.h"
#include "core/file_system.h"
#include "launch/launch.h"
#include "launch/program_file.h"

extern char** environ;

namespace zeb {

namespace {

// While the program runs, the break keys of the terminal reach it and us
// alike: we ignore them, the program gets them with their usual effect.
struct IgnoredBreakSignals {
  struct sigaction oldInterrupt {};
  struct sigaction oldQuit {};

  IgnoredBreakSignals() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &oldInterrupt);
    sigaction(SIGQUIT, &ignore, &oldQuit);
  }
  ~IgnoredBreakSignals() {
    sigaction(SIGINT, &oldInterrupt, nullptr);
    sigaction(SIGQUIT, &oldQuit, nullptr);
  }
  IgnoredBreakSignals(const IgnoredBreakSignals&) = delete;
  IgnoredBreakSignals& operator=(const IgnoredBreakSignals&) = delete;
};

// Starts the program; its process id, or -1 when it cannot start.
pid_t Spawn(const std::string& path, std::vector<std::string>& words, int& error) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  error = posix_spawnattr_init(&attributes);
  if (error != 0) return -1;
  // The program starts with the usual signal dispositions and no signal
  // blocked, whatever we have set for ourselves.
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGQUIT, SIGPIPE, SIGCHLD, SIGHUP, SIGTERM, SIGTSTP, SIGTTIN, SIGTTOU, SIGWINCH}) {
    sigaddset(&defaults, signal);
  }
  sigset_t noneBlocked;
  sigemptyset(&noneBlocked);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &noneBlocked);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  // A termination signal that comes while the program starts finds it
  // registered: it is passed on to it, not left behind.
  sigset_t termination;
  sigset_t previous;
  sigemptyset(&termination);
  for (int signal : {SIGTERM, SIGHUP}) sigaddset(&termination, signal);
  sigprocmask(SIG_BLOCK, &termination, &previous);
  pid_t child = -1;
  error = posix_spawn(&child, path.c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (error == 0) SetRunningChild(child);
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  return error == 0 ? child : -1;
}

void WaitFor(pid_t child) {
  // Waited for without collecting it first: its process id stays ours, so
  // that a termination signal passed on to it reaches no other process.
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) == -1 && errno == EINTR) {
  }
  SetRunningChild(0);
  int status = 0;
  while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
  }
}

}  // namespace

RunOutcome RunAndWait(std::string_view program, std::string_view arguments) {
  // The program's own path, never looked up on the search path; a bare
  // name is taken from the current directory.
  ProgramFile file{PlacedProgramPath(program), std::string(program), std::string()};
  bool missing = false;
  file.Reason = ProgramFileProblem(file.Path, missing);
  if (!file.Reason.empty()) file.Path.clear();
  return RunProgramFile(file, program, arguments);
}

RunOutcome RunProgramFile(const ProgramFile& file, std::string_view program, std::string_view arguments) {
  std::string commandLine = "\"";
  commandLine += program;
  commandLine += "\" ";
  commandLine += arguments;
  std::vector<std::string> words = SplitCommandLine(commandLine);
  if (file.Path.empty()) return RunOutcome{false, file.Reason};
  if (!words.empty() && file.Name != program) words[0] = file.Name;

  std::fflush(nullptr);
  IgnoredBreakSignals ignored;
  ConsoleSuspend();
  int error = 0;
  pid_t child = Spawn(file.Path, words, error);
  if (child > 0) WaitFor(child);
  ConsoleResume();
  if (child <= 0) return RunOutcome{false, std::strerror(error)};
  return RunOutcome{true, std::string()};
}

}  // namespace zeb
