#include "support/user_locale.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include <windows.h>

namespace zeb::testing_support {

// The separator the user had, given back at the end.
struct CommaLocale::Environment {
  char Previous[8] = {};
};

CommaLocale::CommaLocale(const std::string&) {
  const char* expected = std::getenv("ZEB_TEST_DECIMAL_SEPARATOR");
  if (expected == nullptr || std::string(expected).size() != 1) {
    problem_ = "run by ctest, which names the separator of the locale it starts the program in";
    return;
  }
  if (expected[0] != '.') {
    // wine writes the separator of the locale it starts in into the
    // prefix's regional settings, and so does every wine process that starts
    // meanwhile in another locale (its helpers too): the setting is made
    // here, as a user makes it, and given back at the end.
    auto environment = std::make_unique<Environment>();
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, environment->Previous, sizeof environment->Previous);
    if (!SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected)) {
      problem_ = "the regional settings refuse the separator " + std::string(expected);
      return;
    }
    environment_ = std::move(environment);
  }
  separator_ = expected[0];
}

CommaLocale::~CommaLocale() {
  if (environment_ && environment_->Previous[0] != '\0') {
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, environment_->Previous);
  }
}

}  // namespace zeb::testing_support
