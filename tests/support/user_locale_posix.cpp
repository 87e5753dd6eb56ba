#include "support/user_locale.h"

#include "support/environment.h"

namespace zeb::testing_support {

struct CommaLocale::Environment {
  explicit Environment(const std::string& directory) : path("LOCPATH", directory), all("LC_ALL", "de_DE.UTF-8") {}
  ScopedEnvironment path;
  ScopedEnvironment all;
};

CommaLocale::CommaLocale(const std::string& directory) {
  if (!MakeCommaLocale(directory)) {
    problem_ = "localedef could not compile de_DE.UTF-8 (the package locales or libc-bin is missing)";
    return;
  }
  environment_ = std::make_unique<Environment>(directory);
  separator_ = ',';
}

CommaLocale::~CommaLocale() = default;

}  // namespace zeb::testing_support
