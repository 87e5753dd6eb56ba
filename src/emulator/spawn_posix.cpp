#include "emulator/spawn_posix.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "console/terminal_signals_posix.h"

extern char** environ;

namespace zeb {

pid_t SpawnProgram(const std::string& path, const std::vector<std::string>& words,
                   const posix_spawn_file_actions_t* actions, int& error) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  error = posix_spawnattr_init(&attributes);
  if (error != 0) return -1;
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
  error = posix_spawn(&child, path.c_str(), actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (error == 0) SetRunningChild(child);
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  return error == 0 ? child : -1;
}

int WaitForProgram(pid_t child) {
  // Waited for without collecting it first: its process id stays ours, so
  // that a termination signal passed on to it reaches no other process.
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) == -1 && errno == EINTR) {
  }
  SetRunningChild(0);
  int status = 0;
  while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
  }
  return status;
}

}  // namespace zeb
