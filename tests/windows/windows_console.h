#pragma once
// Running the Windows build under wine in tmux, beside the POSIX build.

#include <string>
#include <vector>

#include "e2e/tmux_session.h"

namespace zeb::windows_e2e {

using e2e::TempDir;
using e2e::ScreenCell;
using e2e::TmuxSession;

// The folder of the Windows build's zeb.exe and mame.exe.
std::string WindowsDir();
// A shell command that runs a Windows program (and its arguments) under wine.
std::string Wine(const std::string& programAndArguments);

// zeb.exe and the Windows stand-in as mame.exe in the directory, with the
// stand-in's configuration when `withConfiguration`.
void InstallWindowsPrograms(const TempDir& dir, bool withConfiguration = true);
// The emulator directory of the demo for the Windows build: the lists
// written by the stand-in, the demo's files, zeb.exe and mame.exe.
void PrepareWindowsDemo(const TempDir& dir);

// The line modes of the pane's terminal as stty names them: "icanon echo"
// when it is in its normal mode, "-icanon -echo" when raw.
std::string TerminalModes(TmuxSession& term);
// wine's console sets the terminal raw only when the program first waits
// for input, which can be after its first screen is shown; a key typed
// before that passes through the terminal's line rules (Enter arrives as
// Ctrl+J). Waits until the terminal is raw: from then on keys arrive as
// typed. False when it never gets there.
bool WaitUntilKeysArriveRaw(TmuxSession& term);

// The screen with the console's default colours made explicit (light grey on
// black), as both builds mean them, and each cell of one colour as the blank
// on that colour the terminal build draws for it (a full block, or a shade
// or half block on its own colour), as both look.
std::vector<std::vector<ScreenCell>> ConsoleCells(TmuxSession& term);
// wine's console on a terminal (wine 8) loses a background: where light
// grey text follows text of another colour on the same coloured background,
// it turns the colour off with a full attribute reset and does not send the
// background again, so the cells from there up to the next change of
// background show on black. The console itself holds the right colours
// (the Windows unit tests read them back). Where the POSIX screen has such
// a stretch and the wine screen shows it on black, the wine cells are taken
// as the POSIX ones; returns how many.
int ForgiveWineBackgrounds(const std::vector<std::vector<ScreenCell>>& posix,
                           std::vector<std::vector<ScreenCell>>& windows);

// The cells where two screens differ, described (empty when none).
std::string Differences(const std::vector<std::vector<ScreenCell>>& expected,
                        const std::vector<std::vector<ScreenCell>>& actual);

}  // namespace zeb::windows_e2e
