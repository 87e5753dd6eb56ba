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

// The file that runs for a program name, relative to `directory` (our
// current directory when it is empty): the name itself; where the system
// allows it, for a name ending in ".exe" the same name without it; and with
// `searchPath`, where the system has a search path, for a bare name found in
// neither form and a program run in our current directory, the first
// directory of the search path that holds either (as a shell looks a command
// up). On Windows neither applies: the program is the file as named. Path is
// empty when nothing was found; Reason then says why (for the name itself,
// unless only the other form exists and cannot run). Every run of the file
// starts the program in Directory.
struct ProgramFile {
  std::string Path;    // what the system runs
  std::string Name;    // the name it was found under (or looked for)
  std::string Reason;  // when not found
  // Where the program runs: "" for our current directory, else the
  // directory it was looked for in as an absolute path (so that Path, made
  // from it, holds from there as from here).
  std::string Directory = {};
};
ProgramFile ResolveProgram(std::string_view program, bool searchPath, std::string_view directory = {});
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
// found under. It runs in the file's directory.
RunOutcome RunProgramFile(Console& console, const ProgramFile& file, std::string_view program,
                          std::string_view arguments);

// A program's argument, and the blanks that follow it where the arguments
// are formed into one command line (Windows): a game launch keeps the
// layout of the classic command line ("astrobee -w  -c  ").
struct CommandWord {
  std::string Text;
  int BlanksAfter = 1;
  bool operator==(const CommandWord&) const = default;
};
// Starts a program file that ResolveProgram found, in its directory, with
// the words as its arguments after its name, and waits until it ends. Each word reaches the
// program as it is, blanks and quotes included: on POSIX the words are its
// argument vector; on Windows its command line is CommandLineOf(the name,
// the words).
RunOutcome RunProgramWords(Console& console, const ProgramFile& file, const std::vector<CommandWord>& arguments);

// Runs a program file in its directory with the given arguments (the first
// is the program's name), standard input empty, standard output into
// `outputFile` (created or emptied, from our current directory) and standard
// error captured, and waits until it ends. The terminal stays ours meanwhile.
struct CapturedRun {
  bool Started = false;
  std::string Reason;     // when it did not start (or the file could not be made)
  int ExitStatus = -1;    // the exit status; -1 when a signal ended it
  int Signal = 0;         // the signal that ended it, or 0
  std::string ErrorText;  // what it wrote to standard error (the first 64 KiB)
};
CapturedRun RunIntoFile(const ProgramFile& file, const std::vector<std::string>& arguments,
                        std::string_view outputFile);

// Runs a program file in its directory with the given arguments (the first
// is the program's name), standard input from nothing and standard error
// discarded, and keeps what it writes to standard output in memory (the
// first MaxRunOutput bytes; the rest is read and dropped). A program still
// running after `timeoutMilliseconds` is ended there. The terminal stays
// ours meanwhile.
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
// The words written for such a command line: each one quoted where it needs
// it (QuoteCommandWord), followed by its blanks. A word without a blank or a
// double quote appears as it is.
std::string CommandWordsText(const std::vector<CommandWord>& words);
// The command line of a program and its words: `"name" ` and the words'
// text. SplitCommandLine gives back the name and each word when a blank
// follows every word but the last.
std::string CommandLineOf(std::string_view name, const std::vector<CommandWord>& words);
// The command line of a run whose first argument names the program (or, with
// no arguments, of `program` alone): that name in double quotes, then each
// further argument after one blank, quoted where it needs it.
std::string ArgumentsCommandLine(const std::vector<std::string>& arguments, std::string_view program);

}  // namespace zeb
