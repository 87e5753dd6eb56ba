#include "standin_platform.h"

#include <windows.h>

namespace standin {

std::string RawCommandLine() {
  const char* line = GetCommandLineA();
  return line != nullptr ? std::string(line) : std::string();
}

}  // namespace standin
