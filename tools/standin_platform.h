#pragma once
// What the stand-in asks of its platform.

#include <string>

namespace standin {

// The command line the program was started with, exactly as the starting
// program formed it; empty where processes get only an argument vector
// (POSIX).
std::string RawCommandLine();

// Waits that many seconds, doing nothing.
void SleepSeconds(int seconds);

}  // namespace standin
