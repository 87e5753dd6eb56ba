// Running a program on Windows: files that are no program.

#include <gtest/gtest.h>

#include <filesystem>

#include "emulator/launch.h"
#include "emulator/system_message_win32.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace zeb {
namespace {

using launch_testing::RunAndWaitTest;

TEST_F(RunAndWaitTest, ProgramThatCannotStartIsPassedOverWithItsReason) {
  RunOutcome missing = RunAndWait(console, "mame.exe", "-cc");
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, SystemMessage(ERROR_FILE_NOT_FOUND));
  testing_support::WriteBytes("plain.exe", "echo touch ran\r\n");  // not a program
  RunOutcome plain = RunAndWait(console, "plain.exe", "");
  EXPECT_FALSE(plain.Started);
  EXPECT_FALSE(plain.Reason.empty());
  std::filesystem::create_directory("dir.exe");
  RunOutcome directory = RunAndWait(console, "dir.exe", "x");
  EXPECT_FALSE(directory.Started);
  EXPECT_FALSE(directory.Reason.empty());
  EXPECT_FALSE(RunAndWait(console, "", "x").Started);

  EXPECT_FALSE(std::filesystem::exists("mame.ini"));
  EXPECT_FALSE(std::filesystem::exists("ran"));
  // Nothing started, so the console was never handed over.
  EXPECT_EQ(backend.Resumes, 0);
  EXPECT_FALSE(backend.Suspended);
}

}  // namespace
}  // namespace zeb
