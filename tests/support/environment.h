#pragma once
// Setting and unsetting an environment variable of the test process; the
// programs a test runs inherit it. The test process's id.

#include <string>

namespace zeb::testing_support {

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);
long ThisProcessId();

}  // namespace zeb::testing_support
