// Launching the selected game: the archive test, the screen while the
// emulator runs, its directory and arguments, the pause, and the way back.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "core/state.h"
#include "launch/launch.h"
#include "launch_fixture.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/games_list.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;

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

std::string TextOf(const ScreenModel& screen, int column, int row, int length) {
  std::string text;
  for (int c = column; c < column + length; ++c) text += static_cast<char>(screen.Cells[row - 1][c - 1].Char);
  return text;
}

bool SameScreen(const ScreenModel& a, const ScreenModel& b) {
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
  static void Touch(const std::string& path) { testing_support::WriteBytes(path, ""); }

  testing_support::TempDir dir;
};

TEST_F(LaunchGameTest, MissingArchiveDoesNothing) {
  PutText("untouched", 5, 5, 14, 1);
  const ScreenModel before = Screen;
  LaunchGame();
  EXPECT_TRUE(SameScreen(Screen, before));
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_EQ(backend.Resumes, 0);

  // A directory named like the archive is no archive.
  std::filesystem::create_directory("roms/astrobee.zip");
  LaunchGame();
  EXPECT_TRUE(SameScreen(Screen, before));
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
}

TEST_F(LaunchGameTest, RunsTheEmulatorOnBlackThenRedrawsTheList) {
  Touch("roms/astrobee.zip");
  CurrentScreen = 2;  // started from the file viewer
  LaunchGame();

  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c]\n");

  // While the emulator ran: the message on a black screen.
  const ScreenModel& shown = backend.LastSuspendScreen;
  EXPECT_EQ(TextOf(shown, 1, 1, 16), "Starting Mame...");
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
  EXPECT_EQ(CurrentScreen, 0);
  EXPECT_EQ(PanelScreen, 0);
  EXPECT_NE(RowText(1).find("Z.E.B."), std::string::npos);
  EXPECT_GE(backend.Repaints, 1);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
}

TEST_F(LaunchGameTest, PauseAfterTheEmulatorWaitsForAKey) {
  Touch("roms/drzap.zip");
  SelectedGame = 2;
  PauseAfterMame = 1;
  backend.Keys("q");
  LaunchGame();

  EXPECT_EQ(LastKey, 'q');
  EXPECT_TRUE(backend.ScriptDone());
  EXPECT_TRUE(backend.LogAtPoll);  // the key was asked for after the emulator had run
  EXPECT_EQ(TextOf(backend.ScreenAtPoll, 1, 25, 30), "Press any key to continue.....");
  EXPECT_EQ(backend.ScreenAtPoll.Cells[24][0].Attr, 15);
  EXPECT_EQ(TextOf(backend.ScreenAtPoll, 1, 1, 16), "Starting Mame...");
  EXPECT_EQ(LaunchLog(), "[drzap] [-w] [-c]\n");
  EXPECT_NE(RowText(1).find("Z.E.B."), std::string::npos);  // redrawn after the key
}

TEST_F(LaunchGameTest, MamePathIsTheEmulatorsDirectory) {
  InstallStandIn("emu/mame.exe");
  std::filesystem::create_directories("emu/roms");
  Touch("emu/roms/astrobee.zip");
  MamePath = dir.Path() + "/emu/";
  Scanlines = 1;
  LaunchGame();

  EXPECT_EQ(LaunchLog("emu"), "[astrobee] [-w] [-sl] [-c]\n");
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
  EXPECT_EQ(WorkLine.Str(), dir.Path());
}

TEST_F(LaunchGameTest, ArgumentsAreCutAt255) {
  // An absolute ROM directory long enough to push the arguments past 255.
  // (It still fits the 255 characters of the setting itself.)
  const std::size_t part = (245 - dir.Path().size()) / 3 - 1;
  const std::string romDir = dir.Path() + "/" + std::string(part, 'a') + "/" + std::string(part, 'b') + "/" +
                             std::string(part, 'c');
  ASSERT_LE(romDir.size(), 255u);
  std::filesystem::create_directories(romDir);
  Touch(romDir + "/astrobee.zip");
  RomPaths = romDir;
  Verbose = 1;
  LaunchGame();

  const std::string arguments = ("astrobee -w  -c  -rp " + romDir).substr(0, 255);
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c] [-rp] [" + arguments.substr(21) + "]\n");
}

TEST_F(LaunchGameTest, SeveralRomDirectoriesFindTheArchiveAndPassThrough) {
  std::filesystem::create_directory("more");
  Touch("more/astrobee.zip");
  RomPaths = "roms;more";
  LaunchGame();
  EXPECT_EQ(LaunchLog(), "[astrobee] [-w] [-c] [-rp] [roms;more]\n");
}

TEST_F(LaunchGameTest, UnusableMamePathEndsTheProgram) {
  // The archive is found through an absolute ROM directory; the emulator's
  // directory does not exist.
  Touch("roms/astrobee.zip");
  RomPaths = dir.Path() + "/roms";
  MamePath = "nowhere/";
  EXPECT_EXIT(LaunchGame(), ::testing::ExitedWithCode(1), "nowhere");

  // A path that holds control bytes is quoted in a visible form: the report
  // cannot switch the terminal's modes.
  MamePath = "\x1b[?1049h\x1b[?25l\x9b" "nowhere\\";
  EXPECT_EXIT(LaunchGame(), ::testing::ExitedWithCode(1),
              ::testing::Eq("zeb: Cannot change to the directory '\\x1B[?1049h\\x1B[?25l\\x9Bnowhere\\': "
                            "No such file or directory\n"));
}

}  // namespace
}  // namespace zeb
