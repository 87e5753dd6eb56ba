// Running a program with its output into memory, for at most a given time.

#include <gtest/gtest.h>

#include <string>

#include "emulator/processes.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::ModernStandInTest;
using testing_support::ScopedEnvironment;

using RunForOutputTest = ModernStandInTest;

TEST_F(RunForOutputTest, TheWholeOutputWhateverItsLength) {
  // Far more than a pipe holds at once.
  ScopedEnvironment machines("XEM_MACHINES", "6000");
  CapturedRun intoFile = RunIntoFile(emulator(), {"mame.exe", "-listfull"}, "listfull.txt");
  ASSERT_EQ(intoFile.ExitStatus, 0);
  const std::string list = testing_support::ReadBytes("listfull.txt");
  ASSERT_GT(list.size(), 200000u);

  OutputRun run = RunForOutput(emulator(), {"mame.exe", "-listfull"}, 60000);
  EXPECT_TRUE(run.Started);
  EXPECT_FALSE(run.TimedOut);
  EXPECT_EQ(run.ExitStatus, 0);
  EXPECT_EQ(run.Signal, 0);
  EXPECT_TRUE(run.Output == list) << run.Output.size() << " bytes instead of " << list.size();
  // The terminal stays ours.
  EXPECT_EQ(backend.Resumes, 0);
  EXPECT_FALSE(backend.Suspended);
}

TEST_F(RunForOutputTest, TheExitStatusAndNothingOfTheErrorText) {
  OutputRun refused = RunForOutput(emulator(), {"mame.exe", "-listfull", "-sortdriver"}, 60000);
  EXPECT_TRUE(refused.Started);
  EXPECT_EQ(refused.ExitStatus, 6);
  EXPECT_EQ(refused.Output, "");

  OutputRun missing = RunForOutput(ResolveProgram("nothing.exe", false), {"nothing.exe"}, 60000);
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, ResolveProgram("nothing.exe", false).Reason);
  EXPECT_FALSE(missing.Reason.empty());
}

TEST_F(RunForOutputTest, AProgramStillRunningAtTheLimitIsEnded) {
  ScopedEnvironment hang("XEM_HANG", "1");
  OutputRun run = RunForOutput(emulator(), {"mame.exe", "-showusage"}, 300);
  EXPECT_TRUE(run.Started);
  EXPECT_TRUE(run.TimedOut);
  EXPECT_EQ(run.ExitStatus, -1);
  EXPECT_EQ(run.Output, "");
  // And it was not asked again behind our back: the next run is its own.
  ScopedEnvironment goOn("XEM_HANG", std::nullopt);
  EXPECT_EQ(RunForOutput(emulator(), {"mame.exe", "-showusage"}, 60000).ExitStatus, 0);
}

}  // namespace
}  // namespace zeb
