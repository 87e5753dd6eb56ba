#pragma once
// The list-making tests' fixture: a scripted console in a fresh directory,
// the classic stand-in's behaviour, and a search path that holds nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "support/environment.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb::launch_testing {

class MakeListsTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    std::filesystem::create_directory("nothing");
  }
  // The screen's rows, without trailing blanks, up to the last written.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int row = 1; row <= ScreenHeight; ++row) {
      std::string text = RowText(row);
      text.erase(text.find_last_not_of(' ') + 1);
      rows.push_back(text);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }
  // A shell script that can run (POSIX).
  static void Script(const std::string& path, const std::string& text) {
    testing_support::WriteBytes(path, "#!/bin/sh\n" + text);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  }

  testing_support::TempDir dir;
  testing_support::ScopedEnvironment path{"PATH", dir.Path() + "/nothing"};
  testing_support::ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

}  // namespace zeb::launch_testing
