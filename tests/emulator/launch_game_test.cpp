// Launching the selected game: the archive test, the screen while the
// emulator runs, its directory and arguments, the pause, and the way back.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "console/console.h"
#include "emulator/launch.h"
#include "launch_game_fixture.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using namespace launch_testing;
using testing_support::ForPlatform;
using testing_support::ReadBytes;

TEST_F(LaunchGameTest, MissingArchiveDoesNothing) {
  console.PutText("untouched", {5, 5}, {14, 1});
  const ScreenModel before = console.Screen;
  LaunchSelectedGame(session);
  EXPECT_TRUE(SameScreen(console.Screen, before));
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_EQ(backend.Resumes, 0);

  // A directory named like the archive is no archive.
  std::filesystem::create_directory("roms/astrobee.zip");
  LaunchSelectedGame(session);
  EXPECT_TRUE(SameScreen(console.Screen, before));
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
}

TEST_F(LaunchGameTest, RunsTheEmulatorOnBlackThenRedrawsTheList) {
  Touch("roms/astrobee.zip");
  navigation.CurrentScreen = Screen::Viewer;  // started from the file viewer
  LaunchSelectedGame(session);

  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");

  // While the emulator ran: the message on a black screen.
  const ScreenModel& shown = backend.LastSuspendScreen;
  EXPECT_EQ(zeb::TextAt(shown, 1, 1, 16), "Starting Mame...");
  EXPECT_EQ(shown.Cells[0][0].Attr, 15);  // white on black
  for (int row : {2, 13, 25}) {
    for (int column : {1, 40, 80}) {
      const Cell& cell = shown.Cells[row - 1][column - 1];
      EXPECT_EQ(cell.Attr & 15, 0) << column << "," << row;  // a solid box in black
      EXPECT_EQ(cell.Char, 0xDB) << column << "," << row;
    }
  }

  // No pause: no key read, and the games list is back, repainted in full.
  EXPECT_EQ(backend.Polls, 0);
  EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);
  EXPECT_EQ(navigation.PanelScreen, Screen::GamesList);
  EXPECT_NE(RowText(1).find("Z.E.B."), std::string::npos);
  EXPECT_GE(backend.Repaints, 1);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
  EXPECT_EQ(backend.DirectoryAtSuspend, std::filesystem::path(dir.Path()));
}

TEST_F(LaunchGameTest, PauseAfterTheEmulatorWaitsForAKey) {
  Touch("roms/drzap.zip");
  list.SelectedGame = 2;
  settings.PauseAfterMame = 1;
  backend.Keys("q");
  LaunchSelectedGame(session);

  EXPECT_TRUE(backend.ScriptDone());
  EXPECT_TRUE(backend.LogAtPoll);  // the key was asked for after the emulator had run
  EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 25, 30), "Press any key to continue.....");
  EXPECT_EQ(backend.ScreenAtPoll.Cells[24][0].Attr, 15);
  EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 1, 16), "Starting Mame...");
  EXPECT_EQ(LaunchLog(), "[drzap] [-w] [-c]\n");
  EXPECT_NE(RowText(1).find("Z.E.B."), std::string::npos);  // redrawn after the key
  EXPECT_FALSE(console.KeyWaiting());                        // the key was read
}

// The emulator is found in "Mame Path:" and runs there, absolute or
// relative to where we are; our own directory never changes, not even
// while it runs.
TEST_F(LaunchGameTest, MamePathIsTheEmulatorsDirectoryAndNeverOurs) {
  std::filesystem::remove("mame.exe");
  InstallStandIn("emu/mame.exe");
  Touch("emu/roms/astrobee.zip");  // "Roms Paths:" is taken from there too
  settings.Scanlines = 1;
  for (const std::string& mamePath : {dir.Path() + "/emu/", std::string("emu/")}) {
    SCOPED_TRACE(mamePath);
    std::filesystem::remove("emu/launch.log");
    settings.MamePath = mamePath;
    LaunchSelectedGame(session);

    EXPECT_EQ(LaunchLog("emu"), "[astrobee] [-w] [-sl] [-c]\n");
    EXPECT_FALSE(std::filesystem::exists("launch.log"));
    EXPECT_EQ(backend.DirectoryAtSuspend, std::filesystem::path(dir.Path()));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
    EXPECT_EQ(navigation.CurrentScreen, Screen::GamesList);
  }
}

TEST_F(LaunchGameTest, ALongCommandLineKeepsEveryWordWhole) {
  // An absolute ROM directory long enough to push the arguments past 255.
  // (It still fits the 255 characters of the setting itself.)
  const std::size_t part = (245 - dir.Path().size()) / 3 - 1;
  const std::string romDir = dir.Path() + "/" + std::string(part, 'a') + "/" + std::string(part, 'b') + "/" +
                             std::string(part, 'c');
  ASSERT_LE(romDir.size(), 255u);
  std::filesystem::create_directories(romDir);
  Touch(romDir + "/astrobee.zip");
  settings.RomPaths = romDir;
  settings.Verbose = 1;
  settings.Volume = -7;
  LaunchSelectedGame(session);

  // The classic command line would have been cut inside the directory.
  ASSERT_GT(("astrobee -w  -vol -7  -c  -rp " + romDir).size(), 255u);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-vol] [-7] [-c] [-rp] [" + romDir + "] [-verbose]\n");
}

// "Roms Paths:" with a blank reaches the emulator as the one word it is;
// the Windows command line has it in quotes.
TEST_F(LaunchGameTest, RomPathsWithABlankReachTheEmulatorAsOneWord) {
  Touch("My Roms/astrobee.zip");
  settings.RomPaths = "My Roms";
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c] [-rp] [My Roms]\n");
  EXPECT_EQ(ReadBytes("command.log"), ForPlatform("", "\"mame.exe\" astrobee -w  -c  -rp \"My Roms\"  \n"));
}

TEST_F(LaunchGameTest, SeveralRomDirectoriesFindTheArchiveAndPassThrough) {
  std::filesystem::create_directory("more");
  Touch("more/astrobee.zip");
  settings.RomPaths = "roms;more";
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c] [-rp] [roms;more]\n");
}

// Settings of which today's emulator knows only some: windowed display,
// scanlines, no sound, no anti-aliasing, cheats, brightness 1.5, and the
// default ROM directory.
class SettingsForTodayTest : public LaunchGameTest {
 protected:
  void SetUp() override {
    LaunchGameTest::SetUp();
    Touch("roms/astrobee.zip");
    settings.Scanlines = 1;
    settings.Sound = 0;
    settings.AntiAlias = 0;
    settings.Brightness = 1.5;
    ASSERT_EQ(settings.WindowedDisplay, 1);
    ASSERT_EQ(settings.GameCheats, 1);
    ASSERT_EQ(settings.RomPaths, "roms");
  }
  const std::string brightness = std::string("1") + DecimalSeparator() + "50";
};

TEST_F(SettingsForTodayTest, TodaysEmulatorIsAskedOnceAndGetsWhatItKnows) {
  {
    testing_support::ScopedEnvironment modern("XEM_MODERN", "1");
    LaunchSelectedGame(session);
  }
  const std::string line = "[astrobee] [-w] [-sound] [none] [-c] [-brightness] [" + brightness + "] [-rp] [roms]\n";
  EXPECT_EQ(LaunchLog(), line);
  EXPECT_EQ(zeb::TextAt(backend.LastSuspendScreen, 1, 2, 46), "Left out, unknown to this emulator: -sl -noaa\xDB");

  // The answer holds for the session: the classic emulator in its place,
  // were it asked again, would have the classic command line built.
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), line + line);
}

TEST_F(SettingsForTodayTest, TheClassicEmulatorGetsTheCommandLineAsItAlwaysWas) {
  LaunchSelectedGame(session);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-sl] [-nosound] [-noaa] [-c] [-fsb] [" + brightness + "]\n");
  EXPECT_EQ(zeb::TextAt(backend.LastSuspendScreen, 1, 2, 3), "\xDB\xDB\xDB");
}

TEST_F(LaunchFailureTest, AMamePathThatCannotBeEntered) {
  settings.MamePath = "nowhere/";
  ExpectFailureShown("Cannot enter the directory nowhere/: No such file or directory");
  Touch("afile");
  settings.MamePath = "afile";
  ExpectFailureShown("Cannot enter the directory afile: " + std::string(std::strerror(ENOTDIR)));
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_EQ(backend.Resumes, 0);
}

}  // namespace
}  // namespace zeb
