#include <stdlib.h>
#include <unistd.h>

#include "support/environment.h"

namespace zeb::testing_support {

void SetEnvironment(const std::string& name, const std::string& value) { setenv(name.c_str(), value.c_str(), 1); }

void UnsetEnvironment(const std::string& name) { unsetenv(name.c_str()); }

long ThisProcessId() { return static_cast<long>(getpid()); }

}  // namespace zeb::testing_support
