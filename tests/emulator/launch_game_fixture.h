#pragma once
// The game launch tests' fixture: two games, the stand-in installed as
// mame.exe, a console that keeps the screen of its last poll, and for the
// launches that fail, a screen to come back to.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "console/colours.h"
#include "console/console.h"
#include "console/scripted_backend.h"
#include "storage/state.h"
#include "emulator/launch.h"
#include "launch_fixture.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/games_list.h"

namespace zeb::launch_testing {

// Keeps the screen as it was at the last poll for input, and whether the
// emulator had already written its log then.
class RecordingBackend : public ScriptedBackend {
 public:
  void BeginPoll() override {
    ScreenAtPoll = Screen;
    LogAtPoll = std::filesystem::exists("launch.log");
    ++Polls;
    ScriptedBackend::BeginPoll();
  }
  ScreenModel ScreenAtPoll;
  bool LogAtPoll = false;
  int Polls = 0;
};

inline std::string TextOf(const ScreenModel& screen, int column, int row, int length) {
  std::string text;
  for (int c = column; c < column + length; ++c) text += static_cast<char>(screen.Cells[row - 1][c - 1].Char);
  return text;
}

inline bool SameScreen(const ScreenModel& a, const ScreenModel& b) {
  return std::memcmp(a.Cells, b.Cells, sizeof a.Cells) == 0;
}

class LaunchGameTest : public testing_support::ProgramTest<RecordingBackend> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetLaunchScreen(&GamesListLaunchScreen);
    ProgramVersion = "v1.1";
    MameVersion = "None Loaded";
    SetDefaultSettings();
    PauseAfterMame = 0;
    AddGame("astrobee");
    AddGame("drzap");
    SelectedGame = 1;
    SelectedEntry = 1;
    InstallStandIn("mame.exe");
    std::filesystem::create_directory("roms");
  }

  static void AddGame(const char* driver) {
    GameRecord& game = Games[++GameCount];
    game.DriverName = driver;
    game.Description = driver;
    game.Available = "1";
  }

  testing_support::TempDir dir;
};

// A launch that cannot run says why on the black screen, waits for a key
// and puts back the screen it came from, unchanged.
class LaunchFailureTest : public LaunchGameTest {
 protected:
  void SetUp() override {
    LaunchGameTest::SetUp();
    Touch("roms/astrobee.zip");
    RomPaths = dir.Path() + "/roms";
    CurrentScreen = 2;  // started from the file viewer
    PanelScreen = 2;
    PutText("the screen before", 3, 7, Yellow, Blue);
  }
  void ExpectFailureShown(const std::string& message) {
    const ScreenModel before = Screen;
    backend.Keys("k");
    LaunchGame();
    EXPECT_EQ(LastKey, 'k');
    EXPECT_TRUE(backend.ScriptDone());
    EXPECT_EQ(TextOf(backend.ScreenAtPoll, 1, 1, 16), "Starting Mame...");
    EXPECT_EQ(TextOf(backend.ScreenAtPoll, 1, 3, static_cast<int>(message.size())), message);
    EXPECT_EQ(backend.ScreenAtPoll.Cells[2][0].Attr, LightRed);
    EXPECT_EQ(TextOf(backend.ScreenAtPoll, 1, 25, 30), "Press any key to continue.....");
    EXPECT_TRUE(SameScreen(Screen, before));
    EXPECT_EQ(CurrentScreen, 2);
    EXPECT_EQ(PanelScreen, 2);
    EXPECT_GE(backend.Repaints, 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
  }

  testing_support::ScopedEnvironment path{"PATH", dir.Path() + "/roms"};
};

}  // namespace zeb::launch_testing
