#pragma once
// The command line. Without an argument the program starts as it always
// did. "--help" (or "-h") and "--version" (or "-V"), alone, print to
// standard output and end with status 0. Any other argument, or more than
// one, is refused: one line and a hint on standard error, status 2. None of
// this opens the terminal or writes a file; --version only reads zeb.ini.

#include <string>
#include <string_view>

namespace zeb {

enum class ArgumentsRequest { Start, Help, Version, Refused };

struct ArgumentsCheck {
  ArgumentsRequest Request = ArgumentsRequest::Start;
  std::string Error;  // a refusal's one line, without the hint
};

// Exit statuses of the command line's own roads.
constexpr int ArgumentsDoneStatus = 0;
constexpr int ArgumentsRefusedStatus = 2;
constexpr int ArgumentsWriteFailedStatus = 1;

ArgumentsCheck CheckArguments(int argc, const char* const* argv);

// The --help text: usage, keys and mouse, files, exit statuses.
std::string HelpText();

// The --version text: "ZEB v1.1", and when the current directory holds a
// zeb.ini, the emulator version stored there (its line 46), read without
// loading the file: nothing in it can end the program.
std::string VersionText();

// The text as a message quotes it (VisibleText: every byte outside printable
// ASCII as \xHH), cut after `limit` bytes with "...".
std::string VisibleCut(std::string_view text, std::size_t limit = 100);

// Acts on the command line. True when it was handled and the program is to
// end with `status`; false when it is to start.
bool HandleArguments(int argc, const char* const* argv, int& status);

}  // namespace zeb
