#pragma once
// Environment variables of the test process (the programs a test runs
// inherit them), set for one test and put back, a locale with a decimal
// comma, and the test process's id.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace zeb::testing_support {

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);
long ThisProcessId();

// Sets an environment variable (or, with std::nullopt, unsets it) for the
// lifetime of the object, and then puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    if (value) {
      SetEnvironment(name_, *value);
    } else {
      UnsetEnvironment(name_);
    }
  }
  ~ScopedEnvironment() {
    if (old_) {
      SetEnvironment(name_, *old_);
    } else {
      UnsetEnvironment(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
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
