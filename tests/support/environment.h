#pragma once
// Setting an environment variable of the test process.

#include <string>

namespace zeb::testing_support {

void SetEnvironment(const std::string& name, const std::string& value);

}  // namespace zeb::testing_support
