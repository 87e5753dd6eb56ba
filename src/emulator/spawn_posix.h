#pragma once
// Starting a program file and waiting for its end, on POSIX: the one place
// that sets up a child's signals, registers it (so that a termination signal
// to us is passed on to it) and collects it again. Used by the launch and by
// the runs whose output goes into a file.

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "emulator/processes.h"

namespace zeb {

// Starts the program file with the words as its arguments, in the file's
// directory, with the file actions when given (the change of directory comes
// after them). The program gets the usual signal dispositions and no signal
// blocked, whatever ours are. Its process id, or -1 with `error` set.
pid_t SpawnProgram(const ProgramFile& file, const std::vector<std::string>& words,
                   posix_spawn_file_actions_t* actions, int& error);

// Waits for the program's end and collects it; its wait status.
int WaitForProgram(pid_t child);

}  // namespace zeb
