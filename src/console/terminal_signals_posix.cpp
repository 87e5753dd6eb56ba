#include "console/terminal_signals_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "console/terminal_render.h"

namespace zeb {

namespace {

volatile sig_atomic_t Taken = 0;
volatile sig_atomic_t Resized = 0;
int InputFd = -1;
int OutputFd = -1;
termios Original;
int WakePipe[2] = {-1, -1};
bool Installed = false;

constexpr int TerminationSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction PreviousCrash[sizeof CrashSignals / sizeof CrashSignals[0]];

void EmergencyRestore() {
  if (!Taken) return;
  Taken = 0;
  const std::string_view& bytes = TerminalRestoreSequence;
  ssize_t ignored = write(OutputFd, bytes.data(), bytes.size());
  (void)ignored;
  tcsetattr(InputFd, TCSANOW, &Original);
}

void OnTermination(int signal) {
  int saved = errno;
  EmergencyRestore();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);  // delivered with the default action once this handler returns
  errno = saved;
}

void OnCrash(int signal, siginfo_t* info, void*) {
  int saved = errno;
  EmergencyRestore();
  for (std::size_t i = 0; i < sizeof CrashSignals / sizeof CrashSignals[0]; ++i) {
    if (CrashSignals[i] == signal) sigaction(signal, &PreviousCrash[i], nullptr);
  }
  // A fault repeats by itself when the handler returns and then meets the
  // previous handler; a signal that was sent must be sent again.
  if (info == nullptr || info->si_code <= 0) raise(signal);
  errno = saved;
}

void OnResize(int) {
  int saved = errno;
  Resized = 1;
  if (WakePipe[1] >= 0) {
    ssize_t ignored = write(WakePipe[1], "w", 1);
    (void)ignored;
  }
  errno = saved;
}

// A handler that does nothing; unlike SIG_IGN it is not passed on to the
// programs we start.
void OnBrokenPipe(int) {}

void SetNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

void InstallTerminalSignals(int inputFd, int outputFd, const termios& original) {
  InputFd = inputFd;
  OutputFd = outputFd;
  Original = original;
  if (Installed) return;
  Installed = true;

  if (pipe(WakePipe) == 0) {
    SetNonBlocking(WakePipe[0]);
    SetNonBlocking(WakePipe[1]);
  } else {
    WakePipe[0] = WakePipe[1] = -1;
  }

  struct sigaction action {};
  sigemptyset(&action.sa_mask);

  for (int signal : TerminationSignals) {
    struct sigaction previous {};
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;  // left ignored, as we were started
    action.sa_handler = OnTermination;
    action.sa_flags = 0;
    sigaction(signal, &action, nullptr);
  }

  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  action.sa_sigaction = OnCrash;
  for (std::size_t i = 0; i < sizeof CrashSignals / sizeof CrashSignals[0]; ++i) {
    sigaction(CrashSignals[i], &action, &PreviousCrash[i]);
  }

  action.sa_flags = SA_RESTART;
  action.sa_handler = OnResize;
  sigaction(SIGWINCH, &action, nullptr);

  action.sa_handler = OnBrokenPipe;
  sigaction(SIGPIPE, &action, nullptr);
}

void SetTerminalTaken(bool taken) { Taken = taken ? 1 : 0; }

int ResizeWakeFd() { return WakePipe[0]; }

bool TakeResize() {
  if (Resized == 0) return false;
  Resized = 0;
  if (WakePipe[0] >= 0) {
    char buffer[64];
    while (read(WakePipe[0], buffer, sizeof buffer) > 0) {
    }
  }
  return true;
}

}  // namespace zeb
