#pragma once
// The game launch tests' fixture: two games, the stand-in installed as
// mame.exe, a console that keeps the screen of its last poll, and for the
// launches that fail, a screen to come back to.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/colours.h"
#include "console/console.h"
#include "console/scripted_backend.h"
#include "emulator/launch.h"
#include "launch_fixture.h"
#include "settings/settings.h"
#include "support/environment.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/games_list.h"
#include "ui/session.h"

namespace zeb::launch_testing {

// Keeps the screen as it was at the last poll for input, and whether the
// emulator had already written its log then.
class RecordingBackend : public ScriptedBackend {
 public:
  void Present(const ScreenModel& screen) override {
    Shown = screen;
    ScriptedBackend::Present(screen);
  }
  // The emulator starts once the terminal is handed over: where we are then.
  void Suspend(const ScreenModel& screen) override {
    DirectoryAtSuspend = std::filesystem::current_path();
    ScriptedBackend::Suspend(screen);
  }
  // The console shows its screen before every poll.
  void BeginPoll() override {
    ScreenAtPoll = Shown;
    LogAtPoll = std::filesystem::exists("launch.log");
    ++Polls;
    ScriptedBackend::BeginPoll();
  }
  ScreenModel Shown;
  ScreenModel ScreenAtPoll;
  bool LogAtPoll = false;
  int Polls = 0;
  std::filesystem::path DirectoryAtSuspend;
};

class LaunchGameTest : public testing_support::ProgramTest<RecordingBackend> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetDefaultSettings(settings, options.Captions);
    settings.PauseAfterMame = 0;
    AddGame("astrobee");
    AddGame("drzap");
    InstallStandIn("mame.exe");
    std::filesystem::create_directory("roms");
  }

  void AddGame(const char* driver) {
    GameRecord& game = games.Games[++games.GameCount];
    game.DriverName = driver;
    game.Description = driver;
    game.Available = "1";
  }

  testing_support::TempDir dir;
  testing_support::ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

// A launch that cannot run says why on the black screen, waits for a key
// and puts back the screen it came from, unchanged.
class LaunchFailureTest : public LaunchGameTest {
 protected:
  void SetUp() override {
    LaunchGameTest::SetUp();
    Touch("roms/astrobee.zip");
    settings.RomPaths = dir.Path() + "/roms";
    navigation.CurrentScreen = Screen::Viewer;  // started from the file viewer
    navigation.PanelScreen = Screen::Viewer;
    console.PutText("the screen before", {3, 7}, {Yellow, Blue});
  }
  void ExpectFailureShown(const std::string& message) {
    const ScreenModel before = console.Screen;
    backend.Keys("k");
    LaunchSelectedGame(session);
    EXPECT_TRUE(backend.ScriptDone());
    EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 1, 16), "Starting Mame...");
    EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 3, static_cast<int>(message.size())), message);
    EXPECT_EQ(backend.ScreenAtPoll.Cells[2][0].Attr, LightRed);
    EXPECT_EQ(zeb::TextAt(backend.ScreenAtPoll, 1, 25, 30), "Press any key to continue.....");
    EXPECT_TRUE(SameScreen(console.Screen, before));
    EXPECT_EQ(navigation.CurrentScreen, Screen::Viewer);
    EXPECT_EQ(navigation.PanelScreen, Screen::Viewer);
    EXPECT_GE(backend.Repaints, 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
    // The key was read: nothing is left waiting.
    EXPECT_FALSE(console.KeyWaiting());
  }

  testing_support::ScopedEnvironment path{"PATH", dir.Path() + "/roms"};
};

}  // namespace zeb::launch_testing
