// Running a program on POSIX: a file without the right to run it, and the
// break signals of the terminal.

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>

#include "emulator/processes.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using launch_testing::RunAndWaitTest;

TEST_F(RunAndWaitTest, ProgramThatCannotStartIsPassedOver) {
  RunAndWait(console, "mame.exe", "-cc");  // missing
  testing_support::WriteBytes("plain.exe", "#!/bin/sh\ntouch ran\n");  // not executable
  RunAndWait(console, "plain.exe", "");
  std::filesystem::create_directory("dir.exe");
  RunAndWait(console, "dir.exe", "x");
  RunAndWait(console, "", "x");

  EXPECT_FALSE(std::filesystem::exists("mame.ini"));
  EXPECT_FALSE(std::filesystem::exists("ran"));
  // Nothing started, so the terminal was never handed over.
  EXPECT_EQ(backend.Resumes, 0);
  EXPECT_FALSE(backend.Suspended);
}

void CountSignal(int) {}

TEST_F(RunAndWaitTest, BreakSignalsAreOursAgainAfterTheRun) {
  InstallStandIn("mame.exe");
  struct sigaction handler {}, interruptBefore {}, quitBefore {}, interruptAfter {}, quitAfter {};
  handler.sa_handler = CountSignal;
  sigemptyset(&handler.sa_mask);
  sigaction(SIGINT, &handler, &interruptBefore);
  sigaction(SIGQUIT, &handler, &quitBefore);

  RunAndWait(console, "mame.exe", "g");

  sigaction(SIGINT, &interruptBefore, &interruptAfter);
  sigaction(SIGQUIT, &quitBefore, &quitAfter);
  EXPECT_EQ(interruptAfter.sa_handler, CountSignal);
  EXPECT_EQ(quitAfter.sa_handler, CountSignal);
  EXPECT_EQ(LaunchLog(), "[g]\n");
}

}  // namespace
}  // namespace zeb
