// Running a program with its output into memory on POSIX: what its other
// standard files are, the limit of the output, and the ways a run ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "emulator/processes.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::RunAndWaitTest;

class RunForOutputPosixTest : public RunAndWaitTest {
 protected:
  // A shell script of that text, and its run.
  static OutputRun Script(const std::string& text, int timeoutMilliseconds = 60000) {
    testing_support::WriteBytes("script", "#!/bin/sh\n" + text + "\n");
    std::filesystem::permissions("script", std::filesystem::perms::owner_all);
    return RunForOutput(ResolveProgram("script", false), {"script"}, timeoutMilliseconds);
  }
};

TEST_F(RunForOutputPosixTest, InputIsNothingAndTheErrorTextGoesNowhere) {
  OutputRun run = Script("read line; echo \"read $? [$line]\"; echo warning >&2; exit 3");
  EXPECT_EQ(run.Output, "read 1 []\n");
  EXPECT_EQ(run.ExitStatus, 3);
  EXPECT_FALSE(run.TimedOut);
}

TEST_F(RunForOutputPosixTest, OutputBeyondTheLimitIsReadAndDropped) {
  OutputRun run = Script("head -c 3000000 /dev/zero; echo done >&2");
  EXPECT_EQ(run.ExitStatus, 0);
  EXPECT_EQ(run.Output.size(), MaxRunOutput);
}

TEST_F(RunForOutputPosixTest, HowARunEnds) {
  OutputRun killed = Script("echo going; kill -9 $$");
  EXPECT_EQ(killed.Signal, 9);
  EXPECT_EQ(killed.ExitStatus, -1);
  EXPECT_FALSE(killed.TimedOut);
  EXPECT_EQ(killed.Output, "going\n");

  // A program that closes its output and goes on is ended at the limit.
  OutputRun closed = Script("echo first; exec >&-; sleep 30", 300);
  EXPECT_TRUE(closed.TimedOut);
  EXPECT_EQ(closed.Signal, 9);
  EXPECT_EQ(closed.Output, "first\n");

  // One that writes without end is ended at the limit too.
  OutputRun endless = Script("yes", 300);
  EXPECT_TRUE(endless.TimedOut);
  EXPECT_EQ(endless.Output.substr(0, 4), "y\ny\n");

  // One that has ended while a program it started still holds the output
  // open: its own end counts.
  OutputRun ended = Script("sleep 5 & echo started");
  EXPECT_FALSE(ended.TimedOut);
  EXPECT_EQ(ended.ExitStatus, 0);
  EXPECT_EQ(ended.Output, "started\n");
}

}  // namespace
}  // namespace zeb
