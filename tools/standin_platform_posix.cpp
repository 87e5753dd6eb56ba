#include "standin_platform.h"

namespace standin {

std::string RawCommandLine() { return std::string(); }

}  // namespace standin
