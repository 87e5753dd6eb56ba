#pragma once
// Where the POSIX build and the Windows build answer differently. A test
// written once for both takes what it expects from here:
// ForPlatform(posix, windows) is the answer of the build it runs in, and
// the system's own words for a few failures come as this system says them.
// This is the one place of the tests that asks which build it is.

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "emulator/system_message_win32.h"
#endif

namespace zeb::testing_support {

#ifdef _WIN32
inline constexpr bool OnWindows = true;
// The system's reason for a file that is not there.
inline std::string NoSuchFileReason() { return SystemMessage(ERROR_FILE_NOT_FOUND); }
// The system's reason for a directory where a file to write was asked for.
inline std::string DirectoryReason() { return SystemMessage(ERROR_ACCESS_DENIED); }
#else
inline constexpr bool OnWindows = false;
inline std::string NoSuchFileReason() { return "No such file or directory"; }
inline std::string DirectoryReason() { return "Is a directory"; }
#endif

template <typename T>
constexpr T ForPlatform(T posix, T windows) {
  return OnWindows ? windows : posix;
}

// What a program writes at the end of a line of text on its standard
// output and error: the C runtime of Windows writes CR LF for "\n".
inline const std::string LineEnd = ForPlatform("\n", "\r\n");
// How the program names a program of the current directory: "./mame.exe"
// and "mame.exe".
inline const std::string Here = ForPlatform("./", "");

}  // namespace zeb::testing_support
