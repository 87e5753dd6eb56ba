#include "console/terminal_signals_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "console/console.h"
#include "console/terminal_render.h"

namespace zeb {

namespace {

constexpr int TerminationSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr int StopSignals[] = {SIGTSTP, SIGTTIN, SIGTTOU};
constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t CrashSignalCount = sizeof CrashSignals / sizeof CrashSignals[0];

// What the signal handlers work on: they can reach nothing else.
struct SignalState {
  volatile sig_atomic_t Taken = 0;
  volatile sig_atomic_t HandedOver = 0;
  volatile sig_atomic_t MouseOn = 0;
  volatile sig_atomic_t Given = 0;  // given back at a stop, not yet taken again
  volatile sig_atomic_t Resized = 0;
  volatile sig_atomic_t RunningChild = 0;
  int InputFd = -1;
  int OutputFd = -1;
  termios Original{};
  termios Raw{};
  int WakePipe[2] = {-1, -1};
  bool Installed = false;
  struct sigaction PreviousCrash[CrashSignalCount] = {};
  // A file to remove on the way out (set while a save writes it).
  volatile sig_atomic_t RemoveSet = 0;
  char Remove[4096] = {};
};
SignalState Signals;

static_assert(sizeof(pid_t) <= sizeof(sig_atomic_t));

// Only the screen switch, for a terminal handed to another program.
constexpr std::string_view NormalScreen = "\x1b[?1049l";
constexpr std::string_view AlternateScreen = "\x1b[?1049h";

void WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(Signals.OutputFd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (!(written < 0 && errno == EINTR)) {
      return;
    }
  }
}

void Wake() {
  if (Signals.WakePipe[1] >= 0) {
    ssize_t ignored = write(Signals.WakePipe[1], "w", 1);
    (void)ignored;
  }
}

// Whether our process group owns the terminal. In the background the
// terminal is someone else's: it is neither given back nor taken.
bool InForeground() {
  pid_t owner = tcgetpgrp(Signals.InputFd);
  return owner < 0 || owner == getpgrp();
}

void EmergencyRestore() {
  if (!Signals.Taken) return;
  Signals.Taken = 0;
  if (Signals.Given || !InForeground()) return;
  WriteAll(TerminalRestoreSequence);
  tcsetattr(Signals.InputFd, TCSANOW, &Signals.Original);
}

void GiveBack() {
  if (!Signals.Taken || Signals.Given || !InForeground()) return;
  Signals.Given = 1;
  if (Signals.HandedOver) {
    WriteAll(NormalScreen);
  } else {
    WriteAll(TerminalRestoreSequence);
    tcsetattr(Signals.InputFd, TCSANOW, &Signals.Original);
  }
}

void TakeAgain() {
  if (!Signals.Taken || !InForeground()) return;
  if (Signals.HandedOver) {
    if (Signals.Given) WriteAll(AlternateScreen);
  } else {
    tcsetattr(Signals.InputFd, TCSANOW, &Signals.Raw);
    WriteAll(TerminalEnterSequence);
    if (Signals.MouseOn) WriteAll(MouseOnSequence);
  }
  Signals.Given = 0;
  Signals.Resized = 1;
  Wake();
}

int MillisecondsSince(const timespec& start) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int>((now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000);
}

// Passes the signal on to the running program and waits for its end, a
// bounded time; then it is killed.
void EndChild(pid_t child, int signal) {
  kill(child, signal);
  kill(child, SIGCONT);  // a stopped program could not act on it
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  int status = 0;
  for (;;) {
    pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child || (ended < 0 && errno != EINTR)) return;
    if (MillisecondsSince(start) >= ChildGraceMilliseconds) break;
    poll(nullptr, 0, 10);
  }
  kill(child, SIGKILL);
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

void RemoveUnfinishedFile() {
  if (Signals.RemoveSet) unlink(Signals.Remove);
}

void OnTermination(int signal) {
  int saved = errno;
  RemoveUnfinishedFile();
  pid_t child = static_cast<pid_t>(Signals.RunningChild);
  if (child > 0) {
    Signals.RunningChild = 0;
    EndChild(child, signal);
  }
  EmergencyRestore();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);  // delivered with the default action once this handler returns
  errno = saved;
}

void OnStop(int signal) {
  int saved = errno;
  GiveBack();
  // Stop for real: the signal again, with its default action. The kernel
  // passes it over in a process group that no shell could continue.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);
  sigset_t unblock;
  sigemptyset(&unblock);
  sigaddset(&unblock, signal);
  sigprocmask(SIG_UNBLOCK, &unblock, nullptr);  // stopped here until SIGCONT
  action.sa_handler = OnStop;
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
  // Continued (SIGCONT has taken the terminal again), or the stop was
  // passed over: the terminal is ours again either way.
  if (Signals.Given) TakeAgain();
  errno = saved;
}

void OnContinue(int) {
  int saved = errno;
  TakeAgain();
  errno = saved;
}

void OnCrash(int signal, siginfo_t* info, void*) {
  int saved = errno;
  RemoveUnfinishedFile();
  EmergencyRestore();
  for (std::size_t i = 0; i < CrashSignalCount; ++i) {
    if (CrashSignals[i] == signal) sigaction(signal, &Signals.PreviousCrash[i], nullptr);
  }
  // A fault repeats by itself when the handler returns and then meets the
  // previous handler; a signal that was sent must be sent again.
  if (info == nullptr || info->si_code <= 0) raise(signal);
  errno = saved;
}

void OnResize(int) {
  int saved = errno;
  Signals.Resized = 1;
  Wake();
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

void InstallTerminalSignals(int inputFd, int outputFd, const termios& original, const termios& raw) {
  Signals.InputFd = inputFd;
  Signals.OutputFd = outputFd;
  Signals.Original = original;
  Signals.Raw = raw;
  if (Signals.Installed) return;
  Signals.Installed = true;

  if (pipe(Signals.WakePipe) == 0) {
    SetNonBlocking(Signals.WakePipe[0]);
    SetNonBlocking(Signals.WakePipe[1]);
  } else {
    Signals.WakePipe[0] = Signals.WakePipe[1] = -1;
  }

  struct sigaction action {};
  sigemptyset(&action.sa_mask);

  // A termination handler may wait for a program to end: no other
  // termination or stop comes in between.
  for (int signal : TerminationSignals) sigaddset(&action.sa_mask, signal);
  for (int signal : StopSignals) sigaddset(&action.sa_mask, signal);
  for (int signal : TerminationSignals) {
    struct sigaction previous {};
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;  // left ignored, as we were started
    action.sa_handler = OnTermination;
    action.sa_flags = 0;
    sigaction(signal, &action, nullptr);
  }

  sigemptyset(&action.sa_mask);
  for (int signal : StopSignals) {
    struct sigaction previous {};
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    action.sa_handler = OnStop;
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
  }
  action.sa_handler = OnContinue;
  action.sa_flags = SA_RESTART;
  sigaction(SIGCONT, &action, nullptr);

  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  action.sa_sigaction = OnCrash;
  for (std::size_t i = 0; i < CrashSignalCount; ++i) {
    sigaction(CrashSignals[i], &action, &Signals.PreviousCrash[i]);
  }

  action.sa_flags = SA_RESTART;
  action.sa_handler = OnResize;
  sigaction(SIGWINCH, &action, nullptr);

  action.sa_handler = OnBrokenPipe;
  sigaction(SIGPIPE, &action, nullptr);
}

void SetFileToRemoveOnTermination(std::string_view path) {
  Signals.RemoveSet = 0;
  if (path.empty() || path.size() >= sizeof Signals.Remove) return;
  path.copy(Signals.Remove, path.size());
  Signals.Remove[path.size()] = '\0';
  Signals.RemoveSet = 1;
}

void SetTerminalTaken(bool taken) { Signals.Taken = taken ? 1 : 0; }
void SetTerminalHandedOver(bool handedOver) { Signals.HandedOver = handedOver ? 1 : 0; }
void SetTerminalMouse(bool on) { Signals.MouseOn = on ? 1 : 0; }
bool TerminalGivenBack() { return Signals.Given != 0; }
void SetRunningChild(pid_t child) { Signals.RunningChild = static_cast<sig_atomic_t>(child); }

int ResizeWakeFd() { return Signals.WakePipe[0]; }

bool TakeResize() {
  if (Signals.Resized == 0) return false;
  Signals.Resized = 0;
  if (Signals.WakePipe[0] >= 0) {
    char buffer[64];
    while (read(Signals.WakePipe[0], buffer, sizeof buffer) > 0) {
    }
  }
  return true;
}

}  // namespace zeb
