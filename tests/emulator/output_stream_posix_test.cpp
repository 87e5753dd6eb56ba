// Streaming a program's output on POSIX: what its other standard files
// are, the turns while it is quiet, and the ways a run ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "emulator/output_stream.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::RunAndWaitTest;

class OutputStreamPosixTest : public RunAndWaitTest {
 protected:
  // A shell script of that text, its run, and what it wrote; `take` stops
  // it after `emptyTurns` empty chunks.
  StreamRun Script(const std::string& text, int emptyTurns = 600) {
    testing_support::WriteBytes("script", "#!/bin/sh\n" + text + "\n");
    std::filesystem::permissions("script", std::filesystem::perms::owner_all);
    output.clear();
    empty = 0;
    emptyBeforeOutput = 0;
    return RunStreaming(ResolveProgram("script", false), {"script"}, [&](std::string_view chunk) {
      output += chunk;
      if (chunk.empty() && ++empty && output.empty()) ++emptyBeforeOutput;
      return empty < emptyTurns;
    });
  }

  std::string output;
  int empty = 0;
  int emptyBeforeOutput = 0;
};

TEST_F(OutputStreamPosixTest, InputIsNothingAndTheErrorTextIsKept) {
  StreamRun run = Script("read line; echo \"read $? [$line]\"; echo warning >&2; exit 3");
  EXPECT_EQ(output, "read 1 []\n");
  EXPECT_EQ(run.ErrorText, "warning\n");
  EXPECT_EQ(run.ExitStatus, 3);
  EXPECT_FALSE(run.Stopped);

  // Only the first 64 KiB of the error text; the rest is read and dropped.
  StreamRun loud = Script("head -c 300000 /dev/zero | tr '\\0' e >&2; echo done");
  EXPECT_EQ(loud.ErrorText, std::string(64 * 1024, 'e'));
  EXPECT_EQ(output, "done\n");
  EXPECT_EQ(loud.ExitStatus, 0);
}

TEST_F(OutputStreamPosixTest, TurnsComeWhileTheProgramIsQuiet) {
  StreamRun run = Script("sleep 1; echo late");
  EXPECT_EQ(output, "late\n");
  EXPECT_GE(emptyBeforeOutput, 1);
  EXPECT_EQ(run.ExitStatus, 0);

  // Its output closed, it goes on: turns still come, and stop ends it.
  StreamRun closed = Script("echo first; exec >&- 2>&-; sleep 60", 5);
  EXPECT_EQ(output, "first\n");
  EXPECT_TRUE(closed.Stopped);
  EXPECT_EQ(closed.Signal, 9);
  EXPECT_EQ(closed.ExitStatus, -1);
}

TEST_F(OutputStreamPosixTest, HowARunEnds) {
  StreamRun killed = Script("echo going; kill -9 $$");
  EXPECT_EQ(killed.Signal, 9);
  EXPECT_EQ(killed.ExitStatus, -1);
  EXPECT_FALSE(killed.Stopped);
  EXPECT_EQ(output, "going\n");

  // One that has ended while a program it started still holds the output
  // open: its own end counts (the taker would stop it after a minute).
  StreamRun ended = Script("sleep 60 & echo started");
  EXPECT_FALSE(ended.Stopped);
  EXPECT_EQ(ended.ExitStatus, 0);
  EXPECT_EQ(output, "started\n");

  // One that writes without end is ended when told.
  int chunks = 0;
  testing_support::WriteBytes("endless", "#!/bin/sh\nyes\n");
  std::filesystem::permissions("endless", std::filesystem::perms::owner_all);
  StreamRun endless = RunStreaming(ResolveProgram("endless", false), {"endless"},
                                   [&](std::string_view chunk) { return chunk.empty() || ++chunks < 10; });
  EXPECT_TRUE(endless.Stopped);
  EXPECT_EQ(endless.Signal, 9);
  EXPECT_EQ(chunks, 10);
}

}  // namespace
}  // namespace zeb
