// Which file runs for the emulator's name, and a program run with its
// output into a file, where both systems answer alike but for their words.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/console.h"
#include "emulator/launch.h"
#include "emulator/program_file.h"
#include "launch_fixture.h"
#include "support/environment.h"
#include "support/platform.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using launch_testing::ResolveProgramTest;
using testing_support::ForPlatform;
using testing_support::LineEnd;
using testing_support::NoSuchFileReason;
using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;

TEST_F(ResolveProgramTest, AProgramThatIsNowhereIsNamedWithTheSystemsReason) {
  ProgramFile none = ResolveProgram("mame.exe", true);
  EXPECT_EQ(none.Path, "");
  EXPECT_EQ(none.Name, "mame.exe");
  EXPECT_EQ(none.Reason, NoSuchFileReason());
  EXPECT_EQ(ProgramPlaces("mame.exe", true),
            ForPlatform("mame.exe and mame here and on the PATH", "mame.exe here"));
  EXPECT_EQ(ResolveProgram("", true).Path, "");
}

// Found on POSIX on the search path, on Windows here. Where the system
// passes the command line itself (Windows), the stand-in records it.
TEST_F(ResolveProgramTest, TheFileFoundRunsWithTheCommandLineAsFormed) {
  InstallStandIn(ForPlatform("bin/mame", "mame.exe"));
  ScopedEnvironment searchPath("PATH", dir.Path() + "/bin");
  RunOutcome run = RunProgramFile(console, ResolveProgram("mame.exe", true), "mame.exe", "astrobee -w  -c  ");
  EXPECT_TRUE(run.Started);
  EXPECT_EQ(ReadBytes("command.log"), ForPlatform("", "\"mame.exe\" astrobee -w  -c  \n"));
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");
  EXPECT_EQ(backend.Resumes, 1);
}

TEST_F(ResolveProgramTest, RunIntoFileWritesTheOutputAndKeepsTheErrorTextApart) {
  InstallStandIn(ForPlatform("mame", "mame.exe"));
  ProgramFile emulator = ResolveProgram("mame.exe", false);
  const std::string name = emulator.Name;

  CapturedRun listed = RunIntoFile(emulator, {name, "-listfull", "-sortdriver"}, "listfull.txt");
  EXPECT_TRUE(listed.Started);
  EXPECT_EQ(listed.ExitStatus, 0);
  EXPECT_EQ(listed.ErrorText, "");
  EXPECT_EQ(ReadBytes("listfull.txt").rfind("Name:     Description:" + LineEnd, 0), 0u);

  // Today's emulator refuses -sortdriver: its error text, its status, an
  // empty file; then lists without it.
  ScopedEnvironment modern("XEM_MODERN", "1");
  CapturedRun refused = RunIntoFile(emulator, {name, "-listfull", "-sortdriver"}, "listfull.txt");
  EXPECT_TRUE(refused.Started);
  EXPECT_EQ(refused.ExitStatus, 6);
  EXPECT_EQ(refused.Signal, 0);
  EXPECT_EQ(refused.ErrorText, "Error: unknown option: -sortdriver" + LineEnd);
  EXPECT_TRUE(std::filesystem::exists("listfull.txt"));
  EXPECT_EQ(std::filesystem::file_size("listfull.txt"), 0u);

  listed = RunIntoFile(emulator, {name, "-listfull"}, "listfull.txt");
  EXPECT_EQ(listed.ExitStatus, 0);
  EXPECT_EQ(listed.ErrorText, "");
  EXPECT_EQ(ReadBytes("listfull.txt").rfind("Name:             Description:" + LineEnd, 0), 0u);
  // Nothing of the terminal or console changes hands.
  EXPECT_EQ(backend.Resumes, 0);
}

TEST_F(ResolveProgramTest, RunIntoFileSaysWhyItCouldNotRun) {
  InstallStandIn("mame.exe");
  std::filesystem::create_directory("taken.txt");
  CapturedRun unwritable = RunIntoFile(ResolveProgram("mame.exe", false), {"mame.exe", "-?"}, "taken.txt");
  EXPECT_FALSE(unwritable.Started);
  EXPECT_EQ(unwritable.Reason, "cannot write taken.txt: " + testing_support::DirectoryReason());

  CapturedRun missing = RunIntoFile(ResolveProgram("nothing.exe", false), {"nothing.exe"}, "out.txt");
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, NoSuchFileReason());
  EXPECT_FALSE(std::filesystem::exists("out.txt"));

  // A file that is there but is no program: the system's reason.
  Plain("plain.exe");
  CapturedRun plain = RunIntoFile(ResolveProgram("plain.exe", false), {"plain.exe"}, "out.txt");
  EXPECT_FALSE(plain.Started);
  EXPECT_FALSE(plain.Reason.empty());
  EXPECT_NE(plain.Reason, NoSuchFileReason());
}

}  // namespace
}  // namespace zeb
