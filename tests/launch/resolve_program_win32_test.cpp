// Which file runs for the emulator's name on Windows: the file as named,
// relative to the current directory, and nothing else; and a program run
// with its output into a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/console.h"
#include "launch/launch.h"
#include "launch/program_file.h"
#include "launch/system_message_win32.h"
#include "launch_fixture.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using testing_support::ScopedEnvironment;
using testing_support::ReadBytes;

class ResolveProgramTest : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir;
  ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

TEST_F(ResolveProgramTest, TheProgramIsTheFileAsNamedAndNothingElse) {
  const std::string notFound = SystemMessage(ERROR_FILE_NOT_FOUND);
  ProgramFile none = ResolveProgram("mame.exe", true);
  EXPECT_EQ(none.Path, "");
  EXPECT_EQ(none.Name, "mame.exe");
  EXPECT_EQ(none.Reason, notFound);
  EXPECT_EQ(ProgramPlaces("mame.exe", true), "mame.exe here");

  // No other name: "mame" does not stand for "mame.exe".
  InstallStandIn("mame");
  EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "");
  // No search path: a bare name found only there is not run.
  InstallStandIn("bin/mame.exe");
  {
    ScopedEnvironment path("PATH", dir.Path() + "\\bin");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Path, "");
    EXPECT_EQ(ResolveProgram("mame.exe", true).Reason, notFound);
  }

  InstallStandIn("mame.exe");
  ProgramFile here = ResolveProgram("mame.exe", true);
  EXPECT_EQ(here.Path, "mame.exe");
  EXPECT_EQ(here.Name, "mame.exe");
  EXPECT_EQ(ResolveProgram("bin\\mame.exe", false).Path, "bin\\mame.exe");
  EXPECT_EQ(ResolveProgram("", true).Path, "");

  // A directory of the name cannot run, and says so.
  std::filesystem::create_directory("dir.exe");
  ProgramFile directory = ResolveProgram("dir.exe", true);
  EXPECT_EQ(directory.Path, "");
  EXPECT_NE(directory.Reason, notFound);
  EXPECT_FALSE(directory.Reason.empty());
}

TEST_F(ResolveProgramTest, TheFileFoundRunsWithTheCommandLineAsFormed) {
  InstallStandIn("mame.exe");
  RunOutcome run = RunProgramFile(ResolveProgram("mame.exe", true), "mame.exe", "astrobee -w  -c  ");
  EXPECT_TRUE(run.Started);
  EXPECT_EQ(ReadBytes("command.log"), "\"mame.exe\" astrobee -w  -c  \n");
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");
  EXPECT_EQ(backend.Resumes, 1);
}

TEST_F(ResolveProgramTest, RunIntoFileWritesTheOutputAndKeepsTheErrorText) {
  InstallStandIn("mame.exe");
  ProgramFile emulator = ResolveProgram("mame.exe", false);

  CapturedRun listed = RunIntoFile(emulator, {"mame.exe", "-listfull", "-sortdriver"}, "listfull.txt");
  EXPECT_TRUE(listed.Started);
  EXPECT_EQ(listed.ExitStatus, 0);
  EXPECT_EQ(listed.ErrorText, "");
  EXPECT_EQ(ReadBytes("listfull.txt").substr(0, 24), "Name:     Description:\r\n");
  // Nothing of the console changes hands.
  EXPECT_EQ(backend.Resumes, 0);

  // The emulator's refusal: its error text, its status, an empty file.
  ScopedEnvironment modern("XEM_MODERN", "1");
  CapturedRun refused = RunIntoFile(emulator, {"mame.exe", "-listfull", "-sortdriver"}, "listfull.txt");
  EXPECT_TRUE(refused.Started);
  EXPECT_EQ(refused.ExitStatus, 6);
  EXPECT_EQ(refused.Signal, 0);
  EXPECT_EQ(refused.ErrorText, "Error: unknown option: -sortdriver\r\n");
  EXPECT_TRUE(std::filesystem::exists("listfull.txt"));
  EXPECT_EQ(std::filesystem::file_size("listfull.txt"), 0u);

  // The command line is the quoted program and the words; a word with a
  // blank or a quote comes through whole.
  CapturedRun launched = RunIntoFile(emulator, {"mame.exe", "astrobee", "a b", "c\"d\\"}, "out.txt");
  EXPECT_EQ(launched.ExitStatus, 0);
  EXPECT_EQ(ReadBytes("command.log"), "\"mame.exe\" astrobee \"a b\" \"c\\\"d\\\\\"\n");
  EXPECT_EQ(LaunchLog(), "[astrobee] [a b] [c\"d\\]\n");
  EXPECT_EQ(ReadBytes("out.txt").substr(0, 21), "X.E.M.: played astrob");
}

TEST_F(ResolveProgramTest, RunIntoFileSaysWhyItCouldNotRun) {
  InstallStandIn("mame.exe");
  std::filesystem::create_directory("taken.txt");
  CapturedRun unwritable = RunIntoFile(ResolveProgram("mame.exe", false), {"mame.exe", "-?"}, "taken.txt");
  EXPECT_FALSE(unwritable.Started);
  EXPECT_EQ(unwritable.Reason.rfind("cannot write taken.txt: ", 0), 0u) << unwritable.Reason;
  EXPECT_GT(unwritable.Reason.size(), 24u);

  CapturedRun missing = RunIntoFile(ResolveProgram("nothing.exe", false), {"nothing.exe"}, "out.txt");
  EXPECT_FALSE(missing.Started);
  EXPECT_EQ(missing.Reason, SystemMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(std::filesystem::exists("out.txt"));

  // A file that is there but is no program: the system's reason.
  testing_support::WriteBytes("plain.exe", "echo ran\r\n");
  CapturedRun plain = RunIntoFile(ResolveProgram("plain.exe", false), {"plain.exe"}, "out.txt");
  EXPECT_FALSE(plain.Started);
  EXPECT_FALSE(plain.Reason.empty());
  EXPECT_NE(plain.Reason, SystemMessage(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace zeb
