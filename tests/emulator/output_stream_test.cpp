// Running a program with its output streamed to us: all of it in order, a
// pace of calls while it is busy, and its end when we say stop.

#include <gtest/gtest.h>

#include <string>

#include "emulator/output_stream.h"
#include "launch_fixture.h"
#include "machines/machine_list.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::ModernStandInTest;
using testing_support::ScopedEnvironment;

using OutputStreamTest = ModernStandInTest;

TEST_F(OutputStreamTest, TheWholeOutputInOrderAsItComes) {
  ScopedEnvironment machines("XEM_MACHINES", "6000");
  CapturedRun intoFile = RunIntoFile(emulator(), {"mame.exe", "-listxml"}, "list.xml");
  ASSERT_EQ(intoFile.ExitStatus, 0);
  const std::string list = testing_support::ReadBytes("list.xml");
  ASSERT_GT(list.size(), 3000000u);

  std::string streamed;
  int chunks = 0;
  MachineListReader reader([](MachineInfo&) {});
  StreamRun run = RunStreaming(emulator(), {"mame.exe", "-listxml"}, [&](std::string_view chunk) {
    streamed += chunk;
    chunks += chunk.empty() ? 0 : 1;
    return reader.Feed(chunk);
  });
  EXPECT_TRUE(run.Started);
  EXPECT_FALSE(run.Stopped);
  EXPECT_EQ(run.ExitStatus, 0);
  EXPECT_EQ(run.Signal, 0);
  EXPECT_EQ(run.ErrorText, "");
  EXPECT_TRUE(streamed == list) << streamed.size() << " bytes instead of " << list.size();
  EXPECT_GT(chunks, 1);
  ASSERT_TRUE(reader.Finish()) << reader.ErrorText();
  EXPECT_EQ(reader.MachinesRead(), 63 + 1 + 6003 + 2);
  // The terminal stays ours.
  EXPECT_EQ(backend.Resumes, 0);
  EXPECT_FALSE(backend.Suspended);
}

TEST_F(OutputStreamTest, SayingStopEndsTheProgramThere) {
  ScopedEnvironment machines("XEM_MACHINES", "20000");
  std::size_t taken = 0;
  StreamRun run = RunStreaming(emulator(), {"mame.exe", "-listxml"}, [&](std::string_view chunk) {
    taken += chunk.size();
    return taken == 0;
  });
  EXPECT_TRUE(run.Started);
  EXPECT_TRUE(run.Stopped);
  EXPECT_EQ(run.ExitStatus, -1);
  EXPECT_GT(taken, 0u);
  EXPECT_LT(taken, 4000000u);  // far from the whole list
  // It was collected: the next run is its own.
  StreamRun next = RunStreaming(emulator(), {"mame.exe", "-version"}, [](std::string_view) { return true; });
  EXPECT_EQ(next.ExitStatus, 0);
}

TEST_F(OutputStreamTest, ABusyProgramStillGivesTurnsAndCanBeStopped) {
  ScopedEnvironment hang("XEM_HANG", "1");
  int empty = 0;
  StreamRun run = RunStreaming(emulator(), {"mame.exe", "-listxml"}, [&](std::string_view chunk) {
    if (chunk.empty()) ++empty;
    return empty < 3;
  });
  EXPECT_TRUE(run.Started);
  EXPECT_TRUE(run.Stopped);
  EXPECT_EQ(empty, 3);
  EXPECT_EQ(run.ExitStatus, -1);
}

TEST_F(OutputStreamTest, TheErrorTextAndTheExitStatus) {
  ScopedEnvironment classic("XEM_MODERN", std::nullopt);
  std::string output;
  StreamRun refused = RunStreaming(emulator(), {"mame.exe", "-listxml"}, [&](std::string_view chunk) {
    output += chunk;
    return true;
  });
  EXPECT_TRUE(refused.Started);
  EXPECT_FALSE(refused.Stopped);
  EXPECT_EQ(refused.ExitStatus, 6);
  EXPECT_EQ(refused.ErrorText, "Error: unknown option: -listxml" + testing_support::LineEnd);
  EXPECT_EQ(output, "");

  StreamRun missing = RunStreaming(ResolveProgram("nothing.exe", false), {"nothing.exe"},
                                   [](std::string_view) { return true; });
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, ResolveProgram("nothing.exe", false).Reason);
  EXPECT_FALSE(missing.Reason.empty());
}

}  // namespace
}  // namespace zeb
