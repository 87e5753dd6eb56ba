// Running a program and waiting for its end, on POSIX. A game launch's
// words are the program's arguments as they are; a command line given as
// text is formed as on Windows and split by the Windows rules, so the
// program gets the same words it would get there. No shell ever sees them.

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

// Runs the program file with the argument vector (its name first) and waits
// for its end, the terminal handed over meanwhile.
RunOutcome RunWithArguments(Console& console, const ProgramFile& file, const std::vector<std::string>& words) {
  if (file.Path.empty()) return RunOutcome{false, file.Reason};
  std::fflush(nullptr);
  IgnoredBreakSignals ignored;
  console.Suspend();
  int error = 0;
  pid_t child = SpawnProgram(file, words, nullptr, error);
  if (child > 0) WaitForProgram(child);
  console.Resume();
  if (child <= 0) return RunOutcome{false, std::strerror(error)};
  return RunOutcome{true, std::string()};
}

}  // namespace

RunOutcome RunProgramFile(Console& console, const ProgramFile& file, std::string_view program,
                          std::string_view arguments) {
  std::string commandLine = "\"";
  commandLine += program;
  commandLine += "\" ";
  commandLine += arguments;
  std::vector<std::string> words = SplitCommandLine(commandLine);
  if (!words.empty() && file.Name != program) words[0] = file.Name;
  return RunWithArguments(console, file, words);
}

RunOutcome RunProgramWords(Console& console, const ProgramFile& file, const std::vector<CommandWord>& arguments) {
  std::vector<std::string> words{file.Name};
  for (const CommandWord& word : arguments) words.push_back(word.Text);
  return RunWithArguments(console, file, words);
}

}  // namespace zeb
