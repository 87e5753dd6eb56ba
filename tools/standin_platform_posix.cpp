#include "standin_platform.h"

#include <unistd.h>

namespace standin {

std::string RawCommandLine() { return std::string(); }

void SleepSeconds(int seconds) {
  // A signal may cut a sleep short: what is left is slept again.
  unsigned int left = static_cast<unsigned int>(seconds);
  while (left > 0) left = sleep(left);
}

}  // namespace standin
