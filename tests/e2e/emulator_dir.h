#pragma once
// A directory set up as a user's emulator directory: the stand-in as
// mame.exe, its configuration, and optionally the lists the batch file has it
// write, with the demo's ROM archives, categories, cheats and viewer files.

#include <map>
#include <string>
#include <vector>

#include "e2e/tmux_session.h"
#include "support/same_lines.h"

namespace zeb::e2e {

using testing_support::SameLines;

void InstallEmulator(const TempDir& dir);
// The three lists as "mame -? >ver.txt" and so on would write them.
void WriteLists(const TempDir& dir);
// InstallEmulator, WriteLists, and a copy of the demo's other files.
void PrepareDemo(const TempDir& dir);

// Starts zeb in the directory and waits for the games list.
bool WaitForGamesList(TmuxSession& term);

// Enter on the games list runs the selected game: true once the emulator
// has ended and the prompt after it shows.
bool LaunchSelectedGame(TmuxSession& term);
// A key at that prompt: true once the games list is back.
bool BackToGamesList(TmuxSession& term, const std::string& key = " ");

// Esc, then the answer in the confirmation box; the program's exit code, or
// -2 when the box never showed.
int QuitWithEscape(TmuxSession& term, const std::string& answer = "y");
// One start that imports (or loads) and ends at once.
void StartAndQuit(const TempDir& dir);

// After the program's end: the normal screen, cursor shown, no mouse
// reporting, and the shell's report of a terminal mode with line editing and
// echo.
void ExpectTerminalRestored(TmuxSession& term);

// Lines of a CR LF text file.
std::vector<std::string> FileLines(const std::string& path);
// The lines of the zeb.ini an import wrote in the directory, once checked
// to hold the games it declares, astrobee first; empty (a failure) when it
// is shorter than its settings.
std::vector<std::string> ImportedSettings(const TempDir& dir);

// Every entry below the directory, by path, with a regular file's bytes
// ("<other>" for the rest), leaving out the sockets and status files of the
// test's own terminals.
std::map<std::string, std::string> DirectoryContents(const TempDir& dir);

}  // namespace zeb::e2e
