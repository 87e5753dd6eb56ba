// Running a program and waiting for its end, on POSIX. The command line is
// formed as on Windows and split by the Windows rules, so the program gets
// the same words it would get there; no shell ever sees it.

#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "emulator/processes.h"
#include "emulator/program_file.h"
#include "emulator/spawn_posix.h"

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

}  // namespace

RunOutcome RunProgramFile(Console& console, const ProgramFile& file, std::string_view program,
                          std::string_view arguments) {
  std::string commandLine = "\"";
  commandLine += program;
  commandLine += "\" ";
  commandLine += arguments;
  std::vector<std::string> words = SplitCommandLine(commandLine);
  if (file.Path.empty()) return RunOutcome{false, file.Reason};
  if (!words.empty() && file.Name != program) words[0] = file.Name;

  std::fflush(nullptr);
  IgnoredBreakSignals ignored;
  console.Suspend();
  int error = 0;
  pid_t child = SpawnProgram(file.Path, words, nullptr, error);
  if (child > 0) WaitForProgram(child);
  console.Resume();
  if (child <= 0) return RunOutcome{false, std::strerror(error)};
  return RunOutcome{true, std::string()};
}

}  // namespace zeb
