#pragma once
// Running a piece of a test as a user without special rights, so that a
// file's permissions hold for it: in a child process that becomes "nobody"
// (65534 when the system has no such name) when the test runs as root, and
// stays the test's own user otherwise.

#include <functional>
#include <optional>
#include <string>

namespace zeb::testing_support {

// What `body` returned in the child; nothing when the child could not become
// that user or did not end normally.
std::optional<std::string> RunAsPlainUser(const std::function<std::string()>& body);

}  // namespace zeb::testing_support
