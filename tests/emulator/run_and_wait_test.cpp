// Running a program and waiting for it: the stand-in emulator receives its
// arguments as the Windows rules split them, with no shell in between.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "emulator/processes.h"
#include "launch_fixture.h"
#include "support/environment.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using launch_testing::RunAndWaitTest;

TEST_F(RunAndWaitTest, ArgumentsArriveByteForByteWithoutAShell) {
  InstallStandIn("mame.exe");
  RunAndWait(console, "mame.exe", R"(game;x $(touch pwned) "a b" `touch tick` 'q' | > out c\"d 50% a]b)");
  EXPECT_EQ(LaunchLog(), "[game;x] [$(touch] [pwned)] [a b] [`touch] [tick`] ['q'] [|] [>] [out] [c\"d] [50%25] [a%5Db]\n");
  for (const char* name : {"pwned", "tick", "out"}) EXPECT_FALSE(std::filesystem::exists(name)) << name;

  // The terminal was handed over for the run and taken back.
  EXPECT_FALSE(backend.Suspended);
  EXPECT_EQ(backend.Resumes, 1);

  // Bytes beyond ASCII pass unchanged; a second run appends its own line.
  RunAndWait(console, "mame.exe", "\xE9t\xE9  -w");
  EXPECT_EQ(LaunchLog().substr(LaunchLog().find('\n') + 1), "[\xE9t\xE9] [-w]\n");
}

TEST_F(RunAndWaitTest, StartUpsConfigurationCall) {
  InstallStandIn("mame.exe");
  RunAndWait(console, "mame.exe", "-cc");
  EXPECT_TRUE(std::filesystem::is_regular_file("mame.ini"));
  EXPECT_EQ(LaunchLog(), "");
}

TEST_F(RunAndWaitTest, ProgramIsFoundByItsPathNotOnTheSearchPath) {
  InstallStandIn("bin/mame.exe");
  RunAndWait(console, "bin\\mame.exe", "fromsub");
  // The program runs in our current directory, not in its own.
  EXPECT_EQ(LaunchLog(), "[fromsub]\n");
  EXPECT_FALSE(std::filesystem::exists("bin/launch.log"));

  {
    testing_support::ScopedEnvironment path("PATH", (std::filesystem::path(dir.Path()) / "bin").string());
    RunAndWait(console, "mame.exe", "frompath");  // only on PATH, not here
  }
  EXPECT_EQ(LaunchLog(), "[fromsub]\n");
}

TEST_F(RunAndWaitTest, ChildRunsInTheCurrentDirectory) {
  InstallStandIn("mame.exe");
  std::filesystem::create_directory("work");
  InstallStandIn("work/mame.exe");
  std::filesystem::current_path("work");
  RunAndWait(console, "mame.exe", "inwork");
  std::filesystem::current_path(dir.Path());
  EXPECT_EQ(LaunchLog("work"), "[inwork]\n");
  EXPECT_EQ(LaunchLog(), "");
}

}  // namespace
}  // namespace zeb
