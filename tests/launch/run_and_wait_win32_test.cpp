// Running a program on Windows: files that are no program.

#include <gtest/gtest.h>

#include <filesystem>

#include "launch/launch.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::RunAndWaitTest;

TEST_F(RunAndWaitTest, ProgramThatCannotStartIsPassedOver) {
  RunAndWait("mame.exe", "-cc");  // missing
  testing_support::WriteBytes("plain.exe", "echo touch ran\r\n");  // not a program
  RunAndWait("plain.exe", "");
  std::filesystem::create_directory("dir.exe");
  RunAndWait("dir.exe", "x");
  RunAndWait("", "x");

  EXPECT_FALSE(std::filesystem::exists("mame.ini"));
  EXPECT_FALSE(std::filesystem::exists("ran"));
  // Nothing started, so the console was never handed over.
  EXPECT_EQ(backend.Resumes, 0);
  EXPECT_FALSE(backend.Suspended);
}

}  // namespace
}  // namespace zeb
