// Which file runs for the emulator's name on POSIX: the name, the name
// without ".exe", and for a bare name the search path as a shell searches
// it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "console/console.h"
#include "emulator/processes.h"
#include "emulator/program_file.h"
#include "launch_fixture.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::ResolveProgramTest;
using testing_support::ScopedEnvironment;

TEST_F(ResolveProgramTest, TheNameThenTheNameWithoutExeInTheSamePlace) {
  InstallStandIn("mame");
  ProgramFile stripped = ResolveProgram("mame.exe", false);
  EXPECT_EQ(stripped.Path, "./mame");
  EXPECT_EQ(stripped.Name, "mame");
  EXPECT_EQ(ResolveProgram("MAME.EXE", false).Path, "");  // the name without it is "MAME"

  InstallStandIn("mame.exe");
  EXPECT_EQ(ResolveProgram("mame.exe", false).Path, "./mame.exe");
  EXPECT_EQ(ResolveProgram("mame", false).Path, "./mame");  // no ".exe" is added
  EXPECT_EQ(ResolveProgram(".exe", false).Path, "");

  // In a directory of its own, named with either separator.
  InstallStandIn("emu/mame");
  EXPECT_EQ(ResolveProgram("emu\\mame.exe", false).Path, "emu/mame");
  EXPECT_EQ(ResolveProgram("emu/mame.exe", true).Name, "emu/mame");
}

TEST_F(ResolveProgramTest, FilesThatCannotRunArePassedOverAndGiveTheReason) {
  Plain("mame.exe");
  std::filesystem::create_directory("mame");
  ProgramFile neither = ResolveProgram("mame.exe", true);
  EXPECT_EQ(neither.Path, "");
  EXPECT_EQ(neither.Name, "mame.exe");
  EXPECT_EQ(neither.Reason, "Permission denied");

  std::filesystem::remove("mame.exe");
  EXPECT_EQ(ResolveProgram("mame.exe", true).Reason, "Is a directory");
  EXPECT_EQ(ResolveProgram("mame.exe", true).Name, "mame");

  std::filesystem::remove("mame");
  Plain("mame.exe");
  InstallStandIn("mame");
  EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "./mame");
}

TEST_F(ResolveProgramTest, ABareNameIsLookedUpOnTheSearchPathInOrder) {
  Plain("first/mame");     // not executable: passed over
  InstallStandIn("second/mame");
  InstallStandIn("third/mame.exe");
  const std::string first = dir.Path() + "/first", second = dir.Path() + "/second", third = dir.Path() + "/third";
  {
    ScopedEnvironment searchPath("PATH", first + ":" + second + ":" + third);
    EXPECT_EQ(ResolveProgram("mame.exe", true).Path, second + "/mame");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Name, "mame");
    // Without a search, and for a name with a directory, the path is not used.
    EXPECT_EQ(ResolveProgram("mame.exe", false).Path, "");
    EXPECT_EQ(ResolveProgram("sub\\mame.exe", true).Path, "");
    EXPECT_EQ(ResolveProgram("", true).Path, "");
  }
  {
    // Within one directory the name itself comes first.
    InstallStandIn("second/mame.exe");
    ScopedEnvironment searchPath("PATH", third + ":" + second);
    EXPECT_EQ(ResolveProgram("mame.exe", true).Path, third + "/mame.exe");
    ScopedEnvironment relative("PATH", "first:second");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "second/mame.exe");
  }
}

TEST_F(ResolveProgramTest, AnEmptyEntryOfTheSearchPathIsTheCurrentDirectory) {
  {
    ScopedEnvironment searchPath("PATH", "/a::/b:");
    EXPECT_EQ(SearchPathDirectories(), (std::vector<std::string>{"/a", ".", "/b", "."}));
  }
  {
    ScopedEnvironment searchPath("PATH", "");
    EXPECT_EQ(SearchPathDirectories(), (std::vector<std::string>{"."}));
  }
  {
    ScopedEnvironment searchPath("PATH", std::nullopt);  // unset: the system's default path
    std::vector<std::string> directories = SearchPathDirectories();
    EXPECT_FALSE(directories.empty());
    EXPECT_NE(std::find(directories.begin(), directories.end(), "/bin"), directories.end());
  }
  EXPECT_EQ(InDirectory(".", "mame"), "./mame");
  EXPECT_EQ(InDirectory("/usr/games/", "mame"), "/usr/games/mame");
}

// RunAndWait runs the file as named (or without ".exe") and looks nowhere
// else; a failure says why and hands nothing over.
TEST_F(ResolveProgramTest, RunAndWaitLooksNowhereElseAndAFailureSaysWhy) {
  InstallStandIn("bin/mame");
  ScopedEnvironment searchPath("PATH", dir.Path() + "/bin");
  RunOutcome missing = RunAndWait(console, "mame.exe", "-cc");
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, "No such file or directory");
  Plain("plain.exe");
  EXPECT_EQ(RunAndWait(console, "plain.exe", "").Reason, "Permission denied");
  EXPECT_EQ(backend.Resumes, 0);
}

TEST_F(ResolveProgramTest, RunIntoFileTellsTheSignalThatEndedTheProgram) {
  testing_support::WriteBytes("killed", "#!/bin/sh\necho going >&2\nkill -9 $$\n");
  std::filesystem::permissions("killed", std::filesystem::perms::owner_all);
  CapturedRun killed = RunIntoFile(ResolveProgram("killed", false), {"killed"}, "out.txt");
  EXPECT_EQ(killed.Signal, 9);
  EXPECT_EQ(killed.ErrorText, "going\n");
}

}  // namespace
}  // namespace zeb
