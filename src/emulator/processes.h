#pragma once
// Running a program until it ends, and finding the file that runs for a
// program name: the emulator's configuration run, its lists, its answer
// about its options and each launch.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"

namespace zeb {

// What became of a run: whether the program started, and when not, the
// system's reason.
struct RunOutcome {
  bool Started = false;
  std::string Reason;
};

// The file that runs for a program name, relative to the current directory:
// the name itself; where the system allows it, for a name ending in ".exe"
// the same name without it; and with `searchPath`, where the system has a
// search path, for a bare name found in neither form, the first directory
// of the search path that holds either (as a shell looks a command up). On
// Windows neither applies: the program is the file as named. Path is empty
// when nothing was found; Reason then says why (for the name itself, unless
// only the other form exists and cannot run).
struct ProgramFile {
  std::string Path;    // what the system runs
  std::string Name;    // the name it was found under (or looked for)
  std::string Reason;  // when not found
};
ProgramFile ResolveProgram(std::string_view program, bool searchPath);
// Where ResolveProgram looks, for a message: "mame.exe and mame here and on
// the PATH" where the system has both, "mame.exe here" where it has neither.
std::string ProgramPlaces(std::string_view program, bool searchPath);

// Starts `program` (by its path, relative to the current directory, never
// looked up elsewhere) with the arguments text and waits until it ends. The
// command line is formed as `"program" arguments` and split by the Windows
// rules.
RunOutcome RunAndWait(Console& console, std::string_view program, std::string_view arguments);
// The same for a program file that ResolveProgram found: the command line is
// still formed from `program`; its first word becomes the name the file was
// found under.
RunOutcome RunProgramFile(Console& console, const ProgramFile& file, std::string_view program,
                          std::string_view arguments);

// Runs a program file with the given arguments (the first is the program's
// name), standard input empty, standard output into `outputFile` (created or
// emptied) and standard error captured, and waits until it ends. The terminal
// stays ours meanwhile.
struct CapturedRun {
  bool Started = false;
  std::string Reason;     // when it did not start (or the file could not be made)
  int ExitStatus = -1;    // the exit status; -1 when a signal ended it
  int Signal = 0;         // the signal that ended it, or 0
  std::string ErrorText;  // what it wrote to standard error (the first 64 KiB)
};
CapturedRun RunIntoFile(const ProgramFile& file, const std::vector<std::string>& arguments,
                        std::string_view outputFile);

// Runs a program file with the given arguments (the first is the program's
// name), standard input from nothing and standard error discarded, and
// keeps what it writes to standard output in memory (the first
// MaxRunOutput bytes; the rest is read and dropped). A program still running
// after `timeoutMilliseconds` is ended there. The terminal stays ours
// meanwhile.
struct OutputRun {
  bool Started = false;
  std::string Reason;     // when it did not start
  bool TimedOut = false;  // it was still running at the limit and was ended
  int ExitStatus = -1;    // its exit status; -1 when it did not end by itself
  int Signal = 0;         // the signal that ended it, or 0
  std::string Output;
};
inline constexpr std::size_t MaxRunOutput = 1024 * 1024;
OutputRun RunForOutput(const ProgramFile& file, const std::vector<std::string>& arguments, int timeoutMilliseconds);

// The command line split into arguments by the Windows rules: blanks
// separate, double quotes group, backslashes escape quotes.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// A word after the program's, for such a command line: as it is when it
// needs no quotes (and `always` is false), else in double quotes that the
// split reads back as the word itself.
std::string QuoteCommandWord(std::string_view word, bool always = false);

}  // namespace zeb
