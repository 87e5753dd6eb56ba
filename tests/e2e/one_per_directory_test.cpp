// One ZEB per directory, in a real terminal: a second ZEB started where one
// runs says so and ends with the directory untouched while the first goes
// on; a killed ZEB leaves nothing that stops the next start; a normal quit
// leaves no file behind.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <map>
#include <string>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

std::map<std::string, std::string> Names(const TempDir& dir) {
  auto names = DirectoryContents(dir);
  for (auto& [name, content] : names) content.clear();
  return names;
}

TEST(OnePerDirectory, ASecondZebIsRefusedTouchingNothingAndTheFirstGoesOn) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);  // the first run's import, done
  ASSERT_TRUE(Exists(dir.File("zeb.ini")));
  const auto namesBefore = Names(dir);

  TmuxSession first(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(first));
  const int firstPid = first.ProgramPid();
  ASSERT_GT(firstPid, 0);
  const auto contents = DirectoryContents(dir);
  const std::string refusal =
      "zeb: ZEB is already running in this directory (process " + std::to_string(firstPid) + ")\n";

  // Started in the directory, and through a link to it from elsewhere.
  TempDir outside{TempDir::Stay};
  std::filesystem::create_directory_symlink(dir.Path(), outside.File("arcade"));
  for (const std::string& where : {dir.Path(), outside.File("arcade")}) {
    SCOPED_TRACE(where);
    const std::string errors = outside.File("err.txt");
    TmuxSession second(where, ZebBinary() + " 2>'" + errors + "'");
    EXPECT_EQ(second.WaitExit(), 1);
    EXPECT_EQ(ReadBytes(errors), refusal);
    // The terminal was never taken.
    ExpectTerminalRestored(second);
    EXPECT_EQ(DirectoryContents(dir), contents);
  }

  // The first still answers keys, and ends as usual.
  first.Send("\x1b[B");
  EXPECT_TRUE(first.WaitForText(2, 4, "astrobej"));
  EXPECT_EQ(QuitWithEscape(first), 0);
  ExpectTerminalRestored(first);
  EXPECT_EQ(Names(dir), namesBefore);
}

TEST(OnePerDirectory, AKilledZebLeavesNothingThatStopsTheNextStart) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);
  const auto namesBefore = Names(dir);
  {
    TmuxSession killed(dir.Path(), ZebBinary());
    ASSERT_TRUE(WaitForGamesList(killed));
    const int pid = killed.ProgramPid();
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    ASSERT_EQ(killed.WaitExit(), 128 + SIGKILL);
  }
  TmuxSession next(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(next)) << next.Screen();
  EXPECT_EQ(QuitWithEscape(next), 0);
  EXPECT_EQ(Names(dir), namesBefore);
}

}  // namespace
}  // namespace zeb::e2e
