#pragma once
// The user's locale with a decimal comma, where a test can have one, and the
// separator the program is then to take.
//
// POSIX: the locale "de_DE.UTF-8" is compiled into a directory of the test's
// and taken through LOCPATH and LC_ALL for the object's life.
// Windows: ctest runs the tests that ask once in the C locale and once,
// alone, in a German one, and names the separator to expect in
// ZEB_TEST_DECIMAL_SEPARATOR (cmake/platform.cmake); for a comma the user's
// regional settings are also set to it for the object's life.

#include <memory>
#include <string>

namespace zeb::testing_support {

class CommaLocale {
 public:
  explicit CommaLocale(const std::string& directory);
  ~CommaLocale();
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // The decimal separator the program is to show; 0 when the locale could
  // not be had (Problem() says why).
  char Separator() const { return separator_; }
  const std::string& Problem() const { return problem_; }

 private:
  struct Environment;
  std::unique_ptr<Environment> environment_;
  char separator_ = 0;
  std::string problem_;
};

}  // namespace zeb::testing_support
