#include "emulator/spawn_posix.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "console/terminal_signals_posix.h"

extern char** environ;

namespace zeb {

namespace {

// File actions of a spawn that owns them, when it needs any of its own.
struct OwnActions {
  posix_spawn_file_actions_t Actions;
  bool Made = false;
  OwnActions() = default;
  OwnActions(const OwnActions&) = delete;
  OwnActions& operator=(const OwnActions&) = delete;
  ~OwnActions() {
    if (Made) posix_spawn_file_actions_destroy(&Actions);
  }
};

}  // namespace

pid_t SpawnProgram(const ProgramFile& file, const std::vector<std::string>& words,
                   posix_spawn_file_actions_t* actions, int& error) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  // The program starts in its directory; ours stays where it is. Its path
  // is absolute then, so the change does not move it.
  OwnActions own;
  if (!file.Directory.empty()) {
    if (actions == nullptr) {
      error = posix_spawn_file_actions_init(&own.Actions);
      if (error != 0) return -1;
      own.Made = true;
      actions = &own.Actions;
    }
    error = posix_spawn_file_actions_addchdir_np(actions, file.Directory.c_str());
    if (error != 0) return -1;
  }

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
  error = posix_spawn(&child, file.Path.c_str(), actions, &attributes, argv.data(), environ);
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
