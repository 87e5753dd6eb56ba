#pragma once
// The run-time error report: restores the terminal, writes "zeb: <message>"
// to standard error and ends the program with status 1. It is the console's
// ConsoleFatal, which the console layer below uses itself. A message of more
// than one line gives "zeb: " before each; a text taken from a file or a
// setting is quoted through VisibleText (storage/visible_text.h).

#include <string_view>

namespace zeb {

[[noreturn]] void Fatal(std::string_view message);

// An input/output failure on a file: names the file (in its visible form)
// and the system's message for the current errno.
[[noreturn]] void FatalIo(std::string_view action, std::string_view file);

[[noreturn]] void FatalTableIndex(int index, int size);

// Takes over the report, for the fuzz targets that must see a refused file
// without the program ending: the handler gets the message first and must
// not return (it throws or aborts); nullptr gives the normal report back.
using FatalHandler = void (*)(std::string_view message);
void SetFatalHandler(FatalHandler handler);

}  // namespace zeb
