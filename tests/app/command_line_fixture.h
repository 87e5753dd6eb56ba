#pragma once
// The command-line tests' fixture: the built program run with arguments in
// a directory of its own, as a user runs it from a command line, and what
// it printed where and its exit status. Each platform's run checks on the
// way what only it can (run_zeb_posix.cpp, run_zeb_win32.cpp): the POSIX
// run gives the program a pseudo-terminal as its controlling terminal and
// standard input and expects it to leave that terminal untouched; the
// Windows run expects the program to start.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb::app_testing {

struct ZebExit {
  int Status = -1;  // the exit status, or -1 when it did not end in time
  std::string Out;
  std::string Err;
};

// Runs zeb in the current directory with `arguments`; its standard output
// (and on POSIX its standard error) go through files of `outputs`, another
// directory.
ZebExit RunZeb(const std::string& outputs, const std::vector<std::string>& arguments);

// Every entry of the directory with its content (or "<dir>").
inline std::map<std::string, std::string> Listing(const std::string& directory) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
    entries[entry.path().string()] =
        entry.is_directory() ? "<dir>" : testing_support::ReadBytes(entry.path().string());
  }
  return entries;
}

class CommandLineTest : public testing_support::ProgramTest<> {
 protected:
  // Runs zeb in the directory under test; nothing may change there.
  ZebExit Run(const std::vector<std::string>& arguments) {
    auto before = Listing(dir.Path());
    ZebExit outcome = RunZeb(outputs.Path(), arguments);
    EXPECT_EQ(Listing(dir.Path()), before);
    return outcome;
  }

  testing_support::TempDir outputs;
  testing_support::TempDir dir;  // the current directory of the test, too
};

}  // namespace zeb::app_testing
