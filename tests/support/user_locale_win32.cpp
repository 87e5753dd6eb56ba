#include "support/user_locale.h"

#include <cstdlib>

namespace zeb::testing_support {

struct CommaLocale::Environment {};

CommaLocale::CommaLocale(const std::string&) {
  const char* expected = std::getenv("ZEB_TEST_DECIMAL_SEPARATOR");
  if (expected == nullptr || std::string(expected).size() != 1) {
    problem_ = "run by ctest, which names the separator of the locale it starts the program in";
    return;
  }
  separator_ = expected[0];
}

CommaLocale::~CommaLocale() = default;

}  // namespace zeb::testing_support
