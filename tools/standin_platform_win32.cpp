#include "standin_platform.h"

#include <windows.h>

namespace standin {

std::string RawCommandLine() {
  const char* line = GetCommandLineA();
  return line != nullptr ? std::string(line) : std::string();
}

void SleepSeconds(int seconds) { Sleep(static_cast<DWORD>(seconds) * 1000); }

}  // namespace standin
