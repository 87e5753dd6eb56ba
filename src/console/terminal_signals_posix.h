#pragma once
// The terminal's safety net: whatever stops or ends the program gives the
// terminal back. Everything the handlers do is async-signal-safe (prebuilt
// writes, tcsetattr, kill, waitpid).
//
// - Termination signals (SIGTERM, SIGHUP, SIGINT, SIGQUIT): while a program
//   we started runs, the signal is passed on to it and it gets a short,
//   bounded time to end before it is killed; then the terminal is restored
//   and the signal takes its usual course (we end with its status).
// - Crashes (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT): the terminal is
//   restored, then the crash takes its usual course.
// - Stops (SIGTSTP, SIGTTIN, SIGTTOU): the terminal is given back as at the
//   end (normal mode and screen, no mouse reporting, cursor shown), then the
//   program stops. On SIGCONT it takes the terminal again, mouse reporting
//   included, and the next showing repaints everything. While the terminal
//   is handed to another program, only the screen is switched: that
//   program's terminal mode is its own.
// - SIGWINCH is noted and wakes a waiting poll through a pipe.
// - SIGPIPE does not end the program.

#include <sys/types.h>
#include <termios.h>

namespace zeb {

// How long a program we started gets to end after a termination signal was
// passed on to it, before it is killed.
inline constexpr int ChildGraceMilliseconds = 2500;

// Installs the handlers once; `original` is the terminal mode to go back to,
// `raw` the one to take again after a stop.
void InstallTerminalSignals(int inputFd, int outputFd, const termios& original, const termios& raw);

// Whether there is something to give back (the terminal is in our mode).
void SetTerminalTaken(bool taken);
// Whether the terminal is handed to another program (its own mode, no
// mouse reporting, our screen still switched).
void SetTerminalHandedOver(bool handedOver);
// Whether mouse reporting is on, to be switched on again after a stop.
void SetTerminalMouse(bool on);
// True while the terminal is given back after a stop and not yet taken
// again (we were continued in the background): nothing may be written.
bool TerminalGivenBack();

// The program started and waited for now; 0 when none runs. Its process id
// must stay valid (not yet waited for) while it is set.
void SetRunningChild(pid_t child);

// The read end of the pipe that SIGWINCH and SIGCONT make readable; -1
// before set-up.
int ResizeWakeFd();

// True when the terminal's size may have changed, or it was taken again
// after a stop, since the last call: the screen is to be shown anew.
bool TakeResize();

}  // namespace zeb
