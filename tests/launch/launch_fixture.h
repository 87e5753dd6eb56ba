#pragma once
// Helpers of the launcher tests: the stand-in emulator installed under a
// name of our choice, and its launch log.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/environment.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb::launch_testing {

// Copies the stand-in emulator to `path` (directories made as needed), ready
// to run.
inline void InstallStandIn(const std::filesystem::path& path) {
  const std::filesystem::path standIn = ZEB_STANDIN;
  ASSERT_FALSE(standIn.empty()) << "the stand-in emulator was not built";
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::filesystem::copy_file(standIn, path, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// The stand-in's launch log in `directory` ("" when it wrote none).
inline std::string LaunchLog(const std::filesystem::path& directory = ".") {
  return testing_support::ReadBytes((directory / "launch.log").string());
}

// Running programs in a fresh directory, with a scripted console that
// records the hand-overs.
class RunAndWaitTest : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir;
};

}  // namespace zeb::launch_testing
