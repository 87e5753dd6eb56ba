// The emulator's machine information on the games list: made by a refresh
// (and not again while the emulator's version is the same), the games
// judged with it, the devices left out, the panel's rows, Enter on a game
// judged missing, Esc while it is made, and a file not to be trusted.

#include <filesystem>

#include "app/startup.h"
#include "console/keys.h"
#include "frame_fixture.h"
#include "machines/machine_file.h"
#include "support/environment.h"
#include "support/standin_sets.h"
#include "ui/information.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;
using testing_support::Touch;
using testing_support::WriteBytes;
using ui_testing::ScreenTest;

class InformationTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    MakeQuietEmulator();
    settings.PauseAfterMame = 0;
    for (const char* name : {"astrobee", "astrobej", "dizzyowl", "xemcpu", "zigzagzb"}) AddGame(name, name, "", "", "0");
    games.Games[2].CloneOf = "astrobee";
    SaveSettings(settings, games);
  }
  // Runs the loop on the queued script until it runs out.
  void Play() { EXPECT_THROW(MainLoop(session), ScriptEnded); }
  void Refresh() {
    backend.Click(70, 7).Keys("y");
    Play();
  }
  int Game(std::string_view name) const {
    for (int game = 1; game <= games.GameCount; ++game) {
      if (games.Games[game].DriverName == name) return game;
    }
    return 0;
  }

  ScopedEnvironment modern_{"XEM_MODERN", "1"};
};

TEST_F(InformationTest, ARefreshMakesItAndJudgesEveryGameWithIt) {
  testing_support::WriteStandinSets("roms", {"astrobee", "xemcpu"});
  Touch("roms/zigzagzb.zip");  // a file of that name, no zip
  Start();
  Refresh();
  ASSERT_TRUE(std::filesystem::exists(MachineFileName));
  ASSERT_TRUE(session.information.Machines.Known());
  EXPECT_EQ(session.information.Version, "0.251 (unknown)");
  // The device is no game; the others as the emulator would run them.
  EXPECT_EQ(games.GameCount, 4);
  EXPECT_EQ(Game("xemcpu"), 0);
  EXPECT_EQ(games.Games[Game("astrobee")].Available, "1");
  EXPECT_EQ(games.Games[Game("dizzyowl")].Available, "1");  // it needs no file
  EXPECT_EQ(games.Games[Game("astrobej")].Available, "0");
  EXPECT_EQ(games.Games[Game("zigzagzb")].Available, "0");
  EXPECT_EQ(TextAt(64, 14, 2), "2\xDB");
  EXPECT_EQ(ReadBytes("zeb.ini").substr(0, 3), "4\r\n");

  // The panel: year and maker, and the status, below the category.
  EXPECT_EQ(TextAt(64, 24, 16), "1983 Hivemind Am");
  EXPECT_EQ(TextAt(64, 25, 16), "working         ");

  // Enter on a game judged missing says why until the next key; on one
  // that needs no file, the emulator runs without an archive.
  backend.Click(10, 7).Keys("\r");
  Play();
  EXPECT_EQ(TextAt(2, 25, 40), "zigzagzb: zigzagzb.zip is not a readable");
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  backend.Click(10, 6).Keys("\r");
  Play();
  EXPECT_EQ(TextAt(2, 25, 1), "\x11");
  EXPECT_EQ(ReadBytes("launch.log").substr(0, 10), "[dizzyowl]");

  // A refresh with the same emulator version reads the file, not the list.
  const auto made = std::filesystem::last_write_time(MachineFileName);
  std::filesystem::remove("roms/zigzagzb.zip");
  testing_support::WriteStandinSets("roms", {"zigzagzb"});
  Refresh();
  EXPECT_EQ(std::filesystem::last_write_time(MachineFileName), made);
  EXPECT_EQ(games.Games[Game("zigzagzb")].Available, "1");
}

TEST_F(InformationTest, EscWhileTheListIsReadKeepsTheGamesAsTheyWere) {
  Start();
  backend.Click(70, 7).Keys("y").Keys("\x1b");
  Play();
  EXPECT_FALSE(std::filesystem::exists(MachineFileName));
  EXPECT_FALSE(session.information.Machines.Known());
  // Without the information the refresh is the archives' look-up.
  EXPECT_EQ(games.GameCount, 5);
  EXPECT_EQ(games.Games[Game("dizzyowl")].Available, "0");
  EXPECT_EQ(TextAt(64, 24, 16), std::string(16, '\xDB'));
}

// A file that is there but not to be trusted is said so in one line, and
// the start goes on as without it; zeb.ini stays as it was.
TEST_F(InformationTest, AFileNotToBeTrustedIsSaidSoAndNotUsed) {
  Start();
  Refresh();
  ASSERT_TRUE(session.information.Machines.Known());
  const std::string saved = ReadBytes("zeb.ini");
  const std::string file = ReadBytes(std::string(MachineFileName));
  for (const auto& [damage, says] : {std::pair<std::string, std::string>{"damaged", "damaged"}, {"foreign", ""},
                                     {"cut", ""}}) {
    std::string changed = file;
    // A byte of the games' summaries, which the start reads.
    if (damage == "damaged") changed[changed.find("\nastrobee\t") + 2] ^= 1;
    if (damage == "foreign") changed = "my own notes\n";
    if (damage == "cut") changed.resize(changed.size() / 3);
    WriteBytes(std::string(MachineFileName), changed);
    list.Notice.Clear();
    TakeMachineInformation(games, session.information, list);
    EXPECT_FALSE(session.information.Machines.Known()) << damage;
    EXPECT_FALSE(list.AvailabilityJudged) << damage;
    EXPECT_NE(list.Notice.Str().find("zeb-machines.txt"), std::string::npos) << damage << ": " << list.Notice.Str();
    if (!says.empty()) {
      EXPECT_NE(list.Notice.Str().find(says), std::string::npos) << list.Notice.Str();
    }
    EXPECT_LT(list.Notice.Length(), 80u);
    EXPECT_EQ(ReadBytes("zeb.ini"), saved);
  }
  std::filesystem::remove(MachineFileName);
  list.Notice.Clear();
  TakeMachineInformation(games, session.information, list);
  EXPECT_TRUE(list.Notice.Empty()) << "no file: the classic emulator's way";

  // A ROM section damaged is found when the judging reads it: the refresh
  // says so and judges without it (the file is made anew only for another
  // version of the emulator).
  std::string roms = file;
  roms[roms.find("\nrastrobee.p1") + 3] ^= 1;
  WriteBytes(std::string(MachineFileName), roms);
  TakeMachineInformation(games, session.information, list);
  ASSERT_TRUE(session.information.Machines.Known());
  Refresh();
  EXPECT_FALSE(session.information.Machines.Known());
  EXPECT_NE(TextAt(2, 25, 60).find("zeb-machines.txt"), std::string::npos) << TextAt(2, 25, 60);
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

// The bar fills with the work done; Esc, and only Esc, stops it; a bar with
// a delay shows nothing before it.
TEST(ProgressBarTest, FillsWithTheWorkAndStopsAtEsc) {
  ScriptedBackend backend;
  Console console(&backend);
  ProgressBar bar(console, 5, "machines read", 200);
  EXPECT_TRUE(bar.Update(50));
  const std::string row = TextAt(console.Screen, 1, 5, 80);
  EXPECT_EQ(row.substr(0, 30), std::string(7, '\xDB') + std::string(23, '\xB1'));
  EXPECT_NE(row.find("50 of 200 machines read"), std::string::npos) << row;
  EXPECT_NE(row.find("Esc stops"), std::string::npos) << row;
  EXPECT_TRUE(bar.Update(200));
  EXPECT_EQ(TextAt(console.Screen, 1, 5, 30), std::string(30, '\xDB'));
  backend.Keys("q").Special(Key::Up);
  EXPECT_TRUE(bar.Update(200));
  EXPECT_TRUE(bar.Update(200));
  backend.Keys("\x1b");
  EXPECT_FALSE(bar.Update(200));

  ProgressBar later(console, 7, "machines judged", 10, 60000);
  EXPECT_TRUE(later.Update(5));
  EXPECT_EQ(TextAt(console.Screen, 1, 7, 80), std::string(80, ' '));
}

}  // namespace
}  // namespace zeb
