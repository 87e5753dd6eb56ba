// Game launches of an emulator that is missing, cannot run, or is found
// under another name or on the search path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/console.h"
#include "emulator/launch.h"
#include "launch_game_fixture.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using namespace launch_testing;

TEST_F(LaunchFailureTest, AnEmulatorThatIsMissingOrCannotRun) {
  settings.PauseAfterMame = 0;  // the failure waits for its key all the same
  std::filesystem::remove("mame.exe");
  ExpectFailureShown("Cannot run mame.exe: No such file or directory");

  testing_support::WriteBytes("mame.exe", "#!/bin/sh\ntouch ran\n");
  std::filesystem::permissions("mame.exe", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ExpectFailureShown("Cannot run mame.exe: Permission denied");

  std::filesystem::create_directory("emu");
  settings.MamePath = "emu/";
  ExpectFailureShown("Cannot run emu/mame.exe: No such file or directory");
  EXPECT_FALSE(std::filesystem::exists("ran"));
  EXPECT_EQ(backend.Resumes, 0);
}

// The question about its options and the launch both run in "Mame Path:",
// the program named from there.
TEST_F(LaunchGameTest, TheEmulatorIsAskedAndRunInMamePath) {
  Touch("emu/roms/astrobee.zip");
  std::filesystem::remove("mame.exe");
  std::filesystem::create_directories("emu/bin");
  testing_support::WriteBytes("emu/bin/mame.exe", "#!/bin/sh\necho \"$(pwd -P) $1\" >>calls.log\n");
  std::filesystem::permissions("emu/bin/mame.exe", std::filesystem::perms::owner_all);
  settings.MamePath = "emu/";
  settings.ExeName = "bin\\mame.exe";
  LaunchSelectedGame(session);

  const std::string emu = std::filesystem::canonical("emu").string();
  EXPECT_EQ(testing_support::ReadBytes("emu/calls.log"), emu + " -showusage\n" + emu + " astrobee\n");
  EXPECT_FALSE(std::filesystem::exists("calls.log"));
  EXPECT_EQ(backend.DirectoryAtSuspend, std::filesystem::path(dir.Path()));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
}

TEST_F(LaunchGameTest, TheEmulatorInstalledAsMameOrOnThePathRunsToo) {
  Touch("roms/astrobee.zip");
  std::filesystem::remove("mame.exe");
  InstallStandIn("mame");
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");

  // Only on the search path: used when the settings name no directory.
  std::filesystem::remove("mame");
  std::filesystem::remove("launch.log");
  InstallStandIn("bin/mame");
  testing_support::ScopedEnvironment path("PATH", dir.Path() + "/bin");
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");
  EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);

  std::filesystem::remove("launch.log");
  settings.RomPaths = dir.Path() + "/roms";
  settings.MamePath = dir.Path() + "/";
  backend.Keys(" ");
  LaunchSelectedGame(session);
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 3, 10), "Cannot run");
}

}  // namespace
}  // namespace zeb
