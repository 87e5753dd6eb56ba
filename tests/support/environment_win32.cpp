#include <process.h>
#include <stdlib.h>

#include "support/environment.h"

namespace zeb::testing_support {

void SetEnvironment(const std::string& name, const std::string& value) { _putenv_s(name.c_str(), value.c_str()); }

// An empty value removes the variable.
void UnsetEnvironment(const std::string& name) { _putenv_s(name.c_str(), ""); }

long ThisProcessId() { return static_cast<long>(_getpid()); }

}  // namespace zeb::testing_support
