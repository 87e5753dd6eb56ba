#pragma once
// Running a program whose standard output is read as it comes: the
// emulator's XML list, hundreds of megabytes that are read while it is
// written, never kept whole.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/processes.h"

namespace zeb {

// What became of a streamed run.
struct StreamRun {
  bool Started = false;
  std::string Reason;     // when it did not start
  bool Stopped = false;   // `take` said stop, and the program was ended there
  int ExitStatus = -1;    // its exit status; -1 when it did not end by itself
  int Signal = 0;         // the signal that ended it (POSIX), or 0
  std::string ErrorText;  // what it wrote to standard error (the first 64 KiB)
};

// How long `take` waits at most between two calls.
inline constexpr int StreamPaceMilliseconds = 100;

// Runs a program file with the given arguments (the first is the program's
// name), standard input from nothing, standard error captured, and hands
// its standard output to `take` in chunks as they arrive, in order. `take`
// is also called with an empty chunk when nothing has come for
// StreamPaceMilliseconds (so that a caller can watch the keyboard and move
// a progress bar while the program is busy), and after the output has
// ended while the program is still running. When `take` returns false, the
// program is ended at once and collected, and the result says Stopped. The
// terminal stays ours meanwhile.
StreamRun RunStreaming(const ProgramFile& file, const std::vector<std::string>& arguments,
                       const std::function<bool(std::string_view chunk)>& take);

}  // namespace zeb
