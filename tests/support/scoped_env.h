#pragma once
// Environment variables for one test, and a locale with a decimal comma.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/environment.h"

namespace zeb::testing_support {

// Sets an environment variable (or unsets it) and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      SetEnvironment(name, *value);
    } else {
      UnsetEnvironment(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      SetEnvironment(name_, *old_);
    } else {
      UnsetEnvironment(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Compiles the locale "de_DE.UTF-8" (decimal comma) into `directory`, for
// LOCPATH: the machine may have none installed. False where the tools are
// missing.
inline bool MakeCommaLocale(const std::string& directory) {
  std::string command = "localedef -c -i de_DE -f UTF-8 " + directory + "/de_DE.UTF-8 >/dev/null 2>&1";
  int ignored = std::system(command.c_str());
  (void)ignored;
  return std::filesystem::exists(directory + "/de_DE.UTF-8/LC_NUMERIC");
}

}  // namespace zeb::testing_support
