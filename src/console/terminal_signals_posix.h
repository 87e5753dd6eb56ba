#pragma once
// The terminal's safety net: whatever ends the program gives the terminal
// back. Termination signals (SIGTERM, SIGHUP, SIGINT, SIGQUIT) and crashes
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) restore it with async-signal-safe
// calls (one prebuilt write and tcsetattr) and then take their usual course.
// SIGWINCH is noted and wakes a waiting poll through a pipe. SIGPIPE does
// not end the program.

#include <termios.h>

namespace zeb {

// Installs the handlers once; `original` is the terminal mode to go back to.
void InstallTerminalSignals(int inputFd, int outputFd, const termios& original);

// Whether there is something to give back (the terminal is in our mode).
void SetTerminalTaken(bool taken);

// The read end of the pipe that SIGWINCH makes readable; -1 before set-up.
int ResizeWakeFd();

// True when the terminal's size may have changed since the last call.
bool TakeResize();

}  // namespace zeb
