// Running the emulator from the games list in a real terminal, with the
// stand-in, which logs the arguments it received in launch.log.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  WriteBytes(path, text);
}

// The demo, imported once, with some lines of its zeb.ini changed (by
// number, 1-based).
void PrepareSettings(const TempDir& dir, const std::vector<std::pair<int, std::string>>& changes) {
  PrepareDemo(dir);
  StartAndQuit(dir);
  auto ini = FileLines(dir.File("zeb.ini"));
  for (const auto& [line, value] : changes) ini.at(static_cast<std::size_t>(line - 1)) = value;
  WriteLines(dir.File("zeb.ini"), ini);
}

TEST(Launch, EnterRunsTheSelectedGameWithTheDefaultOptions) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(term.Line(1).rfind("Starting Mame...", 0), 0u);
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-w] [-c]\n");
  // The emulator's own output is still readable at the prompt.
  EXPECT_TRUE(term.WaitFor("astrobee"));
  // The emulator had the terminal without mouse reporting; it is back on now.
  EXPECT_EQ(term.Query("#{mouse_button_flag}"), "1");
  ASSERT_TRUE(BackToGamesList(term, "k"));
  EXPECT_TRUE(term.WaitForText(2, 4, "astrobee  Astro Bee (World)"));
  EXPECT_EQ(term.Line(25).find("Press any key"), std::string::npos);
  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(Launch, AHandWrittenSettingsFileGivesTheArgumentsOfTheSlotTable) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);
  auto ini = FileLines(dir.File("zeb.ini"));
  auto set = [&](int line, const std::string& value) { ini[static_cast<std::size_t>(line - 1)] = value; };
  set(6, "0");     // Auto Frameskip
  set(7, "3");     // Skip # Frames
  set(13, "1");    // Scanlines
  set(19, "1");    // Verbose
  set(20, "1");    // Sample Rate 22050
  set(24, "-12");  // Volume
  set(25, "6");    // Resolution 640x480
  set(34, "2");    // Joystick Hotrod
  set(35, "3");    // Screen Depth 32 bit
  set(36, "1.5");  // Brightness
  set(39, " 2.50000000000000E+0000");  // Beam Width
  set(40, "15");   // Flicker
  set(43, "0");    // Game Cheats
  set(44, "0");    // Pause After Mame
  WriteLines(dir.File("zeb.ini"), ini);

  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Send("\r");
  ASSERT_TRUE(WaitUntil([&] { return Exists(dir.File("launch.log")); }));
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")),
            "[astrobee] [-noafs] [-fs] [3] [-w] [-sl] [-sr] [22050] [-vol] [-12] [-resolution] [640x480x32] "
            "[-hotrod] [-beam] [2.5] [-flicker] [15] [-fsb] [1.50] [-verbose]\n");
  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(Launch, RunGameDoesNothingUnderMissingWhileEnterStillLaunches) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);
  // The archive arrives after the scan: the game stays listed as missing.
  WriteBytes(dir.File("roms/astrobej.zip"), "");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Click(79, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4   Available  \u25BA"));
  term.Click(79, 9);
  ASSERT_TRUE(term.WaitForText(64, 9, "\u25C4    Missing   \u25BA"));
  ASSERT_TRUE(term.WaitForText(2, 5, "beetroot"));
  ASSERT_TRUE(term.WaitForText(2, 4, "astrobej"));
  term.Click(70, 5);  // Run Game
  // A row click after it shows the click was taken in.
  term.Click(10, 5);
  ASSERT_TRUE(WaitUntil([&] { return term.At(2, 5).Foreground == 0; }));
  EXPECT_FALSE(Exists(dir.File("launch.log")));
  term.Click(10, 4);
  ASSERT_TRUE(term.WaitForColours(2, 4, 0, 7));
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobej] [-w] [-c]\n");
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(Launch, AnEmulatorThatIsGoneIsReportedAndTheListComesBackAsItWas) {
  TempDir dir{TempDir::Stay}, nothing{TempDir::Stay};
  PrepareDemo(dir);
  StartAndQuit(dir);
  std::filesystem::remove(dir.File("mame.exe"));
  TmuxSession term(dir.Path(), "PATH='" + nothing.Path() + "' " + ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Click(10, 5);  // the second game
  ASSERT_TRUE(term.WaitForColours(2, 5, 0, 7));
  WriteBytes(dir.File("roms/astrobej.zip"), "");
  std::vector<std::string> before = term.Lines();
  term.Send("\r");
  ASSERT_TRUE(term.WaitForLine(3, "Cannot run mame.exe: No such file or directory"));
  EXPECT_EQ(term.Line(25).rfind("Press any key to continue.....", 0), 0u);
  term.Send("k");
  ASSERT_TRUE(term.WaitGone("Cannot run"));
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_TRUE(WaitUntil([&] { return term.Lines() == before; }));
  EXPECT_FALSE(Exists(dir.File("launch.log")));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

// The emulator's own configuration names a ROM directory with a blank; the
// first run takes it, and the launch passes it as the one word it is.
TEST(Launch, RomPathsWithABlankReachTheEmulatorAsOneWord) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  std::filesystem::rename(dir.File("roms"), dir.File("My Roms"));
  WriteBytes(dir.File("mame.ini"), "rompath = My Roms\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_EQ(FileLines(dir.File("zeb.ini")).at(2), "My Roms");
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-w] [-c] [-rp] [My Roms]\n");
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

// Three ROM directories as today's emulator has them, and a few options:
// far more than 255 characters, and every word arrives whole.
TEST(Launch, ACommandLineOfMoreThan255CharactersArrivesWordForWord) {
  TempDir dir{TempDir::Stay};
  const std::string romPaths = dir.Path() + "/roms;" + dir.Path() + "/" + std::string(70, 'a') + "/mame/roms;" +
                               dir.Path() + "/" + std::string(70, 'b') + "/share/games/mame/roms";
  ASSERT_LE(romPaths.size(), 255u);
  PrepareSettings(dir, {{3, romPaths}, {7, "3"}, {19, "1"}, {24, "-12"}, {40, "15"}});
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(LaunchSelectedGame(term));
  const std::string arguments =
      "astrobee -fs 3  -w  -vol -12  -flicker 15  -c  -rp " + romPaths + "  -verbose  ";
  ASSERT_GT(arguments.size(), 255u + 40u);
  EXPECT_EQ(ReadBytes(dir.File("launch.log")),
            "[astrobee] [-fs] [3] [-w] [-vol] [-12] [-flicker] [15] [-c] [-rp] [" + romPaths + "] [-verbose]\n");
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

// With "Mame Path:" the emulator is found there and runs there; ZEB's own
// directory stays where it started, while the emulator runs and after.
TEST(Launch, TheEmulatorRunsInMamePathWhileZebStaysWhereItStarted) {
  TempDir dir{TempDir::Stay};
  PrepareSettings(dir, {{2, "emu/"}});
  std::filesystem::create_directory(dir.File("emu"));
  std::filesystem::rename(dir.File("mame.exe"), dir.File("emu/mame.exe"));
  Touch(dir.File("emu/roms/astrobee.zip"));  // "Roms Paths:" is taken from there

  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("emu/launch.log")), "[astrobee] [-w] [-c]\n");
  EXPECT_FALSE(Exists(dir.File("launch.log")));
  // At the prompt after the emulator's end.
  const int zeb = term.ProgramPid();
  ASSERT_GT(zeb, 0);
  EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(zeb) + "/cwd"),
            std::filesystem::canonical(dir.Path()));
  ASSERT_TRUE(BackToGamesList(term));
  // The relative "Mame Path:" is found again from where ZEB is.
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("emu/launch.log")), "[astrobee] [-w] [-c]\n[astrobee] [-w] [-c]\n");
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::e2e
