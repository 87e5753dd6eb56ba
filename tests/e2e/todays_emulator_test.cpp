// The road of a user with today's emulator from the distribution: the
// stand-in in its later-generation mode, installed as "mame" on the PATH,
// nothing in the directory where ZEB starts.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "e2e/emulator_dir.h"
#include "support/standin_sets.h"

namespace zeb::e2e {
namespace {

const std::string MakeListsOffer = "Or press M: ZEB runs the emulator to make the lists now, then imports them";

// The emulator installed as a distribution installs it: "mame" in a
// directory of its own that the PATH names.
std::string InstallOnPath(const TempDir& bin) {
  std::filesystem::copy_file(StandinBinary(), bin.File("mame"));
  return bin.Path();
}

std::string WithPath(const std::string& bin, const std::string& command) {
  return "PATH='" + bin + "':\"$PATH\" XEM_MODERN=1 " + command;
}

// The emulator's configuration names the ROM directories under $HOME: the
// first run takes them, expanded, and finds the sets there. After the lists,
// the emulator's XML list: the table holds only games, each available when
// the emulator would run it, and the panel says what the emulator knows.
TEST(TodaysEmulator, FromAnEmptyDirectoryThroughTheKeyMToARunningGame) {
  TempDir dir{TempDir::Stay}, bin{TempDir::Stay}, home{TempDir::Stay};
  std::string path = InstallOnPath(bin);
  testing_support::WriteStandinSets(home.File("mame/roms"), {"astrobee", "xemcpu", "qbababa"});
  Touch(home.File("mame/roms/zigzagzb.zip"));  // a file, but no zip
  TmuxSession term(dir.Path(), "HOME='" + home.Path() + "' " + WithPath(path, ZebBinary()));
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  EXPECT_EQ(term.Line(1).rfind("Please run the RunMe.bat!", 0), 0u);
  EXPECT_EQ(term.Line(3).rfind("Making RunMe.bat", 0), 0u);
  EXPECT_EQ(term.Line(7), MakeListsOffer);
  EXPECT_EQ(term.At(1, 7).Foreground, 14);
  // The emulator on the PATH was asked for its configuration.
  EXPECT_TRUE(Exists(dir.File("mame.ini")));

  term.Send("m");
  ASSERT_TRUE(WaitForGamesList(term)) << term.Screen();
  EXPECT_TRUE(Exists(dir.File("zeb-machines.txt")));
  const auto ini = ImportedSettings(dir);
  ASSERT_FALSE(ini.empty());
  const std::string romPaths = home.Path() + "/mame/roms;/usr/local/share/games/mame/roms";
  EXPECT_EQ(ini[2], romPaths);
  EXPECT_EQ(ini[3], home.Path() + "/mame/samples");
  EXPECT_EQ(ini[45], "");  // "X.E.M. v0.251 (unknown)" holds no version text before a "-"
  auto field = [&](const std::string& driver, int offset) {
    for (std::size_t line = 46; line + 5 < ini.size(); line += 6) {
      if (ini[line] == driver) return ini[line + static_cast<std::size_t>(offset)];
    }
    return std::string("(no such game)");
  };
  EXPECT_EQ(field("astrobej", 2), "astrobee");
  EXPECT_EQ(field("xem_soundboard_unit", 1), "Sound Board Unit");
  EXPECT_EQ(field("xem_soundboard_unit_b", 2), "xem_soundboard_unit");
  EXPECT_EQ(field("qbababa", 1), "Qbababa");
  EXPECT_EQ(field("qbabame", 2), "qbabazu");
  EXPECT_EQ(field("qbabajua", 1), "Qbabaju (a)");
  EXPECT_EQ(field("qbabajua", 2), "qbabaha");
  // The BIOS set stays; the devices, which today's emulator lists after its
  // games, are no games.
  EXPECT_EQ(field("xembios", 1), "X.E.M. System BIOS");
  EXPECT_EQ(field("xemcpu", 1), "(no such game)");
  EXPECT_EQ(field("xemsound", 1), "(no such game)");
  ASSERT_EQ((ini.size() - 46) % 6, 0u);
  EXPECT_EQ(std::stoi(ini[0]), 63 + 1 + 3003);
  // Available as the emulator judges: the sets made to its list, and a game
  // that needs no ROM file at all.
  EXPECT_EQ(field("astrobee", 4), "1");
  EXPECT_EQ(field("qbababa", 4), "1");
  EXPECT_EQ(field("dizzyowl", 4), "1");
  EXPECT_EQ(field("zigzagzb", 4), "0");
  EXPECT_EQ(field("astrobej", 4), "0");
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt", "RunMe.bat"}) {
    EXPECT_FALSE(Exists(dir.File(name))) << name;
  }
  EXPECT_TRUE(term.WaitForText(2, 4, "astrobee  Astro Bee (World)"));
  // The panel: the count of games available, the year and maker, the status.
  EXPECT_TRUE(term.WaitForText(64, 14, "3 "));
  EXPECT_TRUE(term.WaitForText(64, 24, "1983 Hivemind Am"));
  EXPECT_EQ(term.Text(64, 25, 16), "working         ");
  term.Click(79, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   Available  \u25BA"));
  ASSERT_TRUE(term.WaitForText(2, 7, "        "));  // the list's last change
  EXPECT_EQ(term.Text(2, 5, 8), "dizzyowl");
  EXPECT_EQ(term.Text(2, 6, 17), "qbababa   Qbababa");

  // A launch of the filter's first game finds the emulator the same way;
  // its arguments arrive, with the directories it was told of.
  ASSERT_TRUE(term.WaitForColours(2, 4, 0, 15));
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-w] [-c] [-rp] [" + romPaths + "]\n");
  EXPECT_TRUE(term.WaitFor("X.E.M.: played astrobee", 1.0));
  ASSERT_TRUE(BackToGamesList(term, "k"));

  // Enter on a game that is missing says why, until the next key.
  term.Click(64, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   All Games  \u25BA"));
  term.Send("/zigzagzb\r");
  ASSERT_TRUE(term.WaitFor("zigzagzb: ")) << term.Screen();
  EXPECT_NE(term.Line(25).find("zigzagzb.zip is not a readable zip"), std::string::npos) << term.Line(25);
  term.Send("\x1b");
  ASSERT_TRUE(term.WaitGone("zigzagzb: "));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

// Asked for its options before the first launch, today's emulator gets the
// command line in its terms; the classic one, which does not answer, the
// classic command line.
TEST(TodaysEmulator, GetsTheCommandLineInItsTermsAndTheClassicOneTheClassicLine) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);
  auto ini = FileLines(dir.File("zeb.ini"));
  ASSERT_GE(ini.size(), 46u);
  EXPECT_EQ(ini[2], "roms");  // Roms Paths
  ini[12] = "1";    // Scanlines: -sl, which today's emulator no longer knows
  ini[22] = "0";    // Sound off: -nosound
  ini[32] = "0";    // Anti Alias off: -noaa, unknown too
  ini[35] = "1.5";  // Brightness: -fsb 1.50
  std::string text;
  for (const auto& line : ini) text += line + "\r\n";
  WriteBytes(dir.File("zeb.ini"), text);

  for (const bool modern : {true, false}) {
    SCOPED_TRACE(modern ? "today's emulator" : "the classic emulator");
    std::filesystem::remove(dir.File("launch.log"));
    TmuxSession term(dir.Path(), (modern ? "XEM_MODERN=1 " : "") + ZebBinary());
    ASSERT_TRUE(WaitForGamesList(term));
    ASSERT_TRUE(LaunchSelectedGame(term));
    if (modern) {
      EXPECT_EQ(ReadBytes(dir.File("launch.log")),
                "[astrobee] [-w] [-sound] [none] [-c] [-brightness] [1.50] [-rp] [roms]\n");
      EXPECT_EQ(term.Line(2), "Left out, unknown to this emulator: -sl -noaa");
    } else {
      EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-w] [-sl] [-nosound] [-noaa] [-c] [-fsb] [1.50]\n");
      EXPECT_EQ(term.Line(2).find("Left out"), std::string::npos);
    }
    EXPECT_TRUE(term.WaitFor("X.E.M.: played astrobee", 1.0));
    ASSERT_TRUE(BackToGamesList(term, "k"));
    EXPECT_EQ(QuitWithEscape(term), 0);
  }
}

TEST(TodaysEmulator, ListsThatCannotBeMadeShowTheEmulatorsErrorAndEndTheRun) {
  TempDir dir{TempDir::Stay}, bin{TempDir::Stay};
  WriteBytes(bin.File("mame"),
            "#!/bin/sh\n[ \"$1\" = -cc ] && exit 0\n[ \"$1\" = -listfull ] || exit 0\n"
            "echo 'mame: cannot read its machine list' >&2\nexit 1\n");
  chmod(bin.File("mame").c_str(), 0755);
  TmuxSession term(dir.Path(), WithPath(bin.Path(), ZebBinary()));
  ASSERT_TRUE(term.WaitFor(MakeListsOffer));
  term.Send("M");
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  EXPECT_TRUE(term.WaitFor("The lists could not be made:", 1.0));
  EXPECT_TRUE(term.WaitFor("mame: cannot read its machine list", 1.0));
  EXPECT_TRUE(term.WaitFor(bin.Path() + "/mame ended with status 1", 1.0));
  term.Send("x");
  EXPECT_EQ(term.WaitExit(), 0);
  EXPECT_EQ(term.Query("#{alternate_on}"), "0");
  for (const char* name : {"zeb.ini", "ver.txt", "listfull.txt", "listclones.txt"}) {
    EXPECT_FALSE(Exists(dir.File(name))) << name;
  }
  EXPECT_TRUE(Exists(dir.File("RunMe.bat")));
}

TEST(TodaysEmulator, AGameListWithoutGamesStopsTheFirstRunAndKeepsTheLists) {
  TempDir dir{TempDir::Stay};
  WriteBytes(dir.File("mame.ini"), "x\r\n");
  WriteBytes(dir.File("ver.txt"), "X.E.M. v0.251 (unknown)\n");
  WriteBytes(dir.File("listfull.txt"), "Name:             Description:\n");
  WriteBytes(dir.File("listclones.txt"), "Name:            Clone of:\n");
  TmuxSession term(dir.Path(), ZebBinary() + " 2> err.txt");
  EXPECT_EQ(term.WaitExit(), 1);
  EXPECT_EQ(term.Query("#{alternate_on}"), "0");
  EXPECT_EQ(ReadBytes(dir.File("err.txt")).rfind("zeb: listfull.txt holds no games", 0), 0u);
  EXPECT_FALSE(Exists(dir.File("zeb.ini")));
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt"}) EXPECT_TRUE(Exists(dir.File(name))) << name;
}

}  // namespace
}  // namespace zeb::e2e
