// Which file runs for the emulator's name on Windows: the file as named,
// relative to the current directory, and nothing else; and the command
// line of a program run with its output into a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/console.h"
#include "emulator/launch.h"
#include "emulator/program_file.h"
#include "emulator/system_message_win32.h"
#include "launch_fixture.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using launch_testing::ResolveProgramTest;
using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;

TEST_F(ResolveProgramTest, TheProgramIsTheFileAsNamedAndNothingElse) {
  const std::string notFound = SystemMessage(ERROR_FILE_NOT_FOUND);
  // No other name: "mame" does not stand for "mame.exe".
  InstallStandIn("mame");
  EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "");
  // No search path: a bare name found only there is not run.
  InstallStandIn("bin/mame.exe");
  {
    ScopedEnvironment searchPath("PATH", dir.Path() + "\\bin");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Reason, notFound);
  }

  InstallStandIn("mame.exe");
  ProgramFile here = ResolveProgram("mame.exe", true);
  EXPECT_EQ(here.Path, "mame.exe");
  EXPECT_EQ(here.Name, "mame.exe");
  EXPECT_EQ(ResolveProgram("bin\\mame.exe", false).Path, "bin\\mame.exe");

  // A directory of the name cannot run, and says so.
  std::filesystem::create_directory("dir.exe");
  ProgramFile directory = ResolveProgram("dir.exe", true);
  EXPECT_EQ(directory.Path, "");
  EXPECT_NE(directory.Reason, notFound);
  EXPECT_FALSE(directory.Reason.empty());
}

// The command line is the quoted program and the words; a word with a
// blank or a quote comes through whole.
TEST_F(ResolveProgramTest, RunIntoFileQuotesTheWordsOfTheCommandLine) {
  InstallStandIn("mame.exe");
  CapturedRun launched =
      RunIntoFile(ResolveProgram("mame.exe", false), {"mame.exe", "astrobee", "a b", "c\"d\\"}, "out.txt");
  EXPECT_EQ(launched.ExitStatus, 0);
  EXPECT_EQ(ReadBytes("command.log"), "\"mame.exe\" astrobee \"a b\" \"c\\\"d\\\\\"\n");
  EXPECT_EQ(LaunchLog(), "[astrobee] [a b] [c\"d\\]\n");
  EXPECT_EQ(ReadBytes("out.txt").substr(0, 21), "X.E.M.: played astrob");
}

}  // namespace
}  // namespace zeb
