// One ZEB per directory for the Windows build under wine: a second zeb.exe
// started where one runs says so and ends with the directory untouched while
// the first goes on; a killed zeb.exe leaves nothing that stops the next
// start.

#include <gtest/gtest.h>
#include <signal.h>

#include <regex>
#include <string>

#include "e2e/emulator_dir.h"
#include "windows/windows_console.h"

namespace zeb::windows_e2e {
namespace {

using e2e::DirectoryContents;
using e2e::ReadBytes;
using e2e::TempDir;

TEST(WindowsOnePerDirectory, ASecondZebExeIsRefusedTouchingNothingAndTheFirstGoesOn) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  TmuxSession first(dir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(e2e::WaitForGamesList(first)) << first.Screen();
  ASSERT_TRUE(WaitUntilKeysArriveRaw(first)) << TerminalModes(first);
  const auto contents = DirectoryContents(dir);

  TempDir outside{TempDir::Stay};
  const std::string errors = outside.File("err.txt");
  TmuxSession second(dir.Path(), Wine("zeb.exe") + " 2>'" + errors + "'");
  EXPECT_EQ(second.WaitExit(), 1);
  // The process id is Windows' own, which only the program knows.
  const std::string said = ReadBytes(errors);
  const std::regex refusal("zeb: ZEB is already running in this directory \\(process [1-9][0-9]*\\)\r\n");
  EXPECT_TRUE(std::regex_match(said, refusal)) << said;
  EXPECT_EQ(DirectoryContents(dir), contents);

  // The first still answers keys, and ends as usual.
  first.Send("\x1b[B");
  EXPECT_TRUE(first.WaitForText(2, 4, "astrobej"));
  EXPECT_EQ(e2e::QuitWithEscape(first), 0);
}

TEST(WindowsOnePerDirectory, AKilledZebExeLeavesNothingThatStopsTheNextStart) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  {
    TmuxSession killed(dir.Path(), Wine("zeb.exe"));
    ASSERT_TRUE(e2e::WaitForGamesList(killed)) << killed.Screen();
    // The process of zeb.exe on this system: wine runs it in the process
    // the pane's shell started.
    const int pid = killed.ProgramPid();
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    ASSERT_EQ(killed.WaitExit(), 128 + SIGKILL);
  }
  TmuxSession next(dir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(e2e::WaitForGamesList(next)) << next.Screen();
  ASSERT_TRUE(WaitUntilKeysArriveRaw(next)) << TerminalModes(next);
  EXPECT_EQ(e2e::QuitWithEscape(next), 0);
}

}  // namespace
}  // namespace zeb::windows_e2e
