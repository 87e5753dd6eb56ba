// The Windows build run as a Windows user runs it, under wine in a real
// terminal: the same screens as the POSIX build for the same data, the keys,
// a launch of the Windows stand-in, and the first run through RunMe.bat.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "e2e/emulator_dir.h"
#include "windows/windows_console.h"

namespace zeb::windows_e2e {
namespace {

using e2e::Exists;
using e2e::FileLines;
using e2e::ReadBytes;
using e2e::SameLines;
using e2e::WaitForGamesList;
using e2e::WaitUntil;

// Waits until the Windows screen equals the POSIX one; describes the
// difference when it never does.
std::string SameScreenAs(TmuxSession& posix, TmuxSession& windows) {
  std::string differences;
  int forgiven = 0;
  WaitUntil([&] {
    const auto expected = ConsoleCells(posix);
    auto shown = ConsoleCells(windows);
    forgiven = ForgiveWineBackgrounds(expected, shown);
    differences = Differences(expected, shown);
    return differences.empty();
  });
  if (forgiven > 0) {
    std::cout << "  (" << forgiven << " cells shown by wine without their background)\n";
  }
  return differences;
}

// Sends a key to both and waits until the POSIX screen has changed; then
// the Windows screen must equal it.
std::string SameAfterKey(TmuxSession& posix, TmuxSession& windows, const std::string& key) {
  const auto before = ConsoleCells(posix);
  posix.Send(key);
  windows.Send(key);
  if (!WaitUntil([&] { return !Differences(before, ConsoleCells(posix)).empty(); })) {
    return "the key changed nothing on the POSIX build";
  }
  return SameScreenAs(posix, windows);
}

TEST(WindowsBuild, ImportsFirstScreenAndKeysEqualThePosixBuildCellForCell) {
  TempDir posixDir{TempDir::Stay};
  e2e::PrepareDemo(posixDir);
  TempDir windowsDir{TempDir::Stay};
  PrepareWindowsDemo(windowsDir);

  TmuxSession posix(posixDir.Path(), e2e::ZebBinary());
  TmuxSession windows(windowsDir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(WaitForGamesList(posix));
  ASSERT_TRUE(WaitForGamesList(windows)) << windows.Screen();
  ASSERT_TRUE(WaitUntilKeysArriveRaw(windows)) << TerminalModes(windows);

  // Both imported the same lists into the same settings file.
  EXPECT_TRUE(SameLines(ReadBytes(posixDir.File("zeb.ini")), ReadBytes(windowsDir.File("zeb.ini"))));
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt"}) EXPECT_FALSE(Exists(windowsDir.File(name)));

  EXPECT_EQ(SameScreenAs(posix, windows), "") << "the first screen";
  // The drawing's own glyphs, as the console shows them.
  EXPECT_EQ(windows.At(64, 3).Glyph, "\u25C4");
  EXPECT_EQ(windows.At(79, 3).Glyph, "\u25BA");
  EXPECT_EQ(windows.At(62, 3).Glyph, "\u25B2");
  EXPECT_EQ(windows.At(62, 25).Glyph, "\u25BC");

  EXPECT_EQ(SameAfterKey(posix, windows, "\x1b[B"), "") << "Down";
  EXPECT_EQ(windows.Text(2, 4, 8), "astrobej");  // the list moved up one row
  EXPECT_EQ(SameAfterKey(posix, windows, "\x1b[F"), "") << "End";
  EXPECT_EQ(windows.Text(2, 24, 23), "zigzagzb  Zig Zag Zebra");
  EXPECT_EQ(SameAfterKey(posix, windows, "d"), "") << "the letter jump";
  EXPECT_EQ(SameAfterKey(posix, windows, "\x1b[H"), "") << "Home";

  // Esc asks; y ends the program with the console given back.
  EXPECT_EQ(e2e::QuitWithEscape(posix), 0);
  EXPECT_EQ(e2e::QuitWithEscape(windows), 0);
  // wine's console gives the terminal its modes back as it closes, which
  // can be just after the program has ended.
  EXPECT_TRUE(WaitUntil([&] { return TerminalModes(windows) == "icanon echo"; }))
      << "the terminal is back in its normal mode, not " << TerminalModes(windows);
  EXPECT_EQ(windows.Query("#{cursor_flag}"), "1");
}

TEST(WindowsBuild, EnterRunsTheWindowsStandInWithTheCommandLineAsFormed) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  TmuxSession term(dir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);

  term.Send("\r");
  ASSERT_TRUE(term.WaitForLine(25, "Press any key to continue.....", 2 * e2e::DefaultWait)) << term.Line(1);
  EXPECT_EQ(term.Line(1).rfind("Starting Mame...", 0), 0u);
  // The program got the command line exactly as formed: the quoted program,
  // a blank, the driver name and the options with their blanks.
  EXPECT_EQ(ReadBytes(dir.File("command.log")), "\"mame.exe\" astrobee -w  -c  \n");
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-w] [-c]\n");

  term.Send("k");
  ASSERT_TRUE(WaitUntil([&] { return term.Line(25).find("Press any key") == std::string::npos; }));
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_EQ(e2e::QuitWithEscape(term), 0);
}

// "Mame Path:" relative to where ZEB starts, and "Roms Paths:" with blanks,
// long enough for a command line past 255 characters: the stand-in runs in
// Mame Path and gets every word whole, the one with blanks in quotes on its
// command line. ZEB stays where it started: the relative Mame Path is found
// again for a second launch.
TEST(WindowsBuild, ACommandLineWithBlanksAndPast255CharactersArrivesWordForWordInMamePath) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  {
    TmuxSession first(dir.Path(), Wine("zeb.exe"));
    ASSERT_TRUE(WaitForGamesList(first));
    ASSERT_TRUE(WaitUntilKeysArriveRaw(first)) << TerminalModes(first);
    ASSERT_EQ(e2e::QuitWithEscape(first), 0);
  }
  const std::string romPaths =
      "My Roms;" + std::string(90, 'a') + "\\mame\\roms;" + std::string(90, 'b') + "\\share\\games\\roms";
  auto ini = FileLines(dir.File("zeb.ini"));
  ASSERT_GE(ini.size(), 46u);
  ini[1] = "emu\\";  // Mame Path
  ini[2] = romPaths;
  ini[18] = "1";  // Verbose
  std::string text;
  for (const std::string& line : ini) text += line + "\r\n";
  e2e::WriteBytes(dir.File("zeb.ini"), text);
  std::filesystem::create_directory(dir.File("emu"));
  std::filesystem::rename(dir.File("mame.exe"), dir.File("emu/mame.exe"));
  e2e::Touch(dir.File("emu/My Roms/astrobee.zip"));

  TmuxSession term(dir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);
  for (int launch = 1; launch <= 2; ++launch) {
    SCOPED_TRACE("launch " + std::to_string(launch));
    term.Send("\r");
    ASSERT_TRUE(term.WaitForLine(25, "Press any key to continue.....", 2 * e2e::DefaultWait)) << term.Screen();
    EXPECT_EQ(term.Line(3).find("Cannot"), std::string::npos) << term.Line(3);  // no failure
    term.Send("k");
    ASSERT_TRUE(WaitUntil([&] { return term.Line(25).find("Press any key") == std::string::npos; }));
    ASSERT_TRUE(WaitForGamesList(term));
  }
  const std::string command = "\"mame.exe\" astrobee -w  -c  -rp \"" + romPaths + "\"  -verbose  \n";
  ASSERT_GT(command.size(), 255u);
  EXPECT_EQ(ReadBytes(dir.File("emu/command.log")), command + command);
  const std::string words = "[astrobee] [-w] [-c] [-rp] [" + romPaths + "] [-verbose]\n";
  EXPECT_EQ(ReadBytes(dir.File("emu/launch.log")), words + words);
  EXPECT_FALSE(Exists(dir.File("launch.log")));
  EXPECT_EQ(e2e::QuitWithEscape(term), 0);
}

// F3 reaches the console program as a key with a scan code and no
// character: it opens the search as "/" does.
TEST(WindowsBuild, F3OpensTheSearchAndEscClosesIt) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  TmuxSession term(dir.Path(), Wine("zeb.exe"));
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);

  term.Send("\x1bOR");  // F3, as the terminal sends it
  ASSERT_TRUE(term.WaitForText(2, 3, "Search: ")) << term.Line(3);
  term.Send("hopper");
  ASSERT_TRUE(term.WaitForText(2, 3, "Search: hopper "));
  EXPECT_TRUE(term.WaitForText(2, 6, std::string(10, ' ')));  // the list's last change
  EXPECT_EQ(term.Text(2, 4, 30), "cloudhop  Cloud Hopper (set 1)");
  EXPECT_EQ(term.Text(2, 5, 30), "cloudhp2  Cloud Hopper (set 2)");

  term.Send("\x1b");
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_TRUE(WaitUntil([&] { return term.Text(2, 24, 10) != std::string(10, ' '); }));  // the whole list
  EXPECT_EQ(e2e::QuitWithEscape(term), 0);
}

TEST(WindowsBuild, FirstRunWritesRunMeBatWhichImportsThroughCmdAndStartsZebAgain) {
  TempDir dir{TempDir::Stay};
  InstallWindowsPrograms(dir, /*withConfiguration=*/false);
  std::filesystem::copy(e2e::SourceDir() + "/demo", dir.Path(), std::filesystem::copy_options::recursive);
  {
    TmuxSession term(dir.Path(), Wine("zeb.exe"));
    ASSERT_TRUE(term.WaitForLine(5, "Press a key to exit", 2 * e2e::DefaultWait)) << term.Line(1);
    EXPECT_EQ(term.Line(1).rfind("Please run the RunMe.bat!", 0), 0u);
    EXPECT_EQ(term.Line(3).rfind("Making RunMe.bat", 0), 0u);
    // Start-up had the emulator write its configuration.
    EXPECT_TRUE(Exists(dir.File("mame.ini")));
    EXPECT_TRUE(SameLines({"@echo off", "CLS",
                           "Echo Making Files Lists For ZEB. These Files will be deleted by ZEB Later...",
                           "mame -? >ver.txt", "mame -listfull >listfull.txt -sortdriver",
                           "mame -listclones >listclones.txt -sortdriver", "zeb.exe"},
                          FileLines(dir.File("RunMe.bat"))));
    ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);
    term.Send("x");
    EXPECT_EQ(term.WaitExit(), 0);
  }

  TmuxSession batch(dir.Path(), Wine("cmd /c RunMe.bat"));
  ASSERT_TRUE(WaitForGamesList(batch)) << batch.Screen();
  EXPECT_EQ(batch.Text(2, 4, 27), "astrobee  Astro Bee (World)");
  EXPECT_TRUE(Exists(dir.File("zeb.ini")));
  ASSERT_TRUE(WaitUntilKeysArriveRaw(batch)) << TerminalModes(batch);
  // The work files are gone. RunMe.bat is deleted where the system lets it
  // be (cmd.exe reads a batch file line by line and lets go in between);
  // wine's cmd keeps it open while it runs, and a file that cannot be
  // deleted is passed over.
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt"}) EXPECT_FALSE(Exists(dir.File(name))) << name;
  EXPECT_EQ(e2e::QuitWithEscape(batch), 0);
}

TEST(WindowsBuild, KeyMHasTheEmulatorMakeTheListsWithoutTheBatchFile) {
  TempDir dir{TempDir::Stay};
  InstallWindowsPrograms(dir);
  std::filesystem::copy(e2e::SourceDir() + "/demo", dir.Path(), std::filesystem::copy_options::recursive);
  // Today's emulator: its lists are asked for again without -sortdriver.
  TmuxSession term(dir.Path(), "XEM_MODERN=1 XEM_MACHINES=200 " + Wine("zeb.exe"));
  ASSERT_TRUE(term.WaitForLine(7, "Or press M: ZEB runs the emulator to make the lists now, then imports them",
                               2 * e2e::DefaultWait))
      << term.Line(1);
  ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);
  term.Send("M");
  ASSERT_TRUE(WaitForGamesList(term)) << term.Screen();
  EXPECT_TRUE(term.WaitForText(2, 4, "astrobee  Astro Bee (World)"));

  const auto ini = e2e::ImportedSettings(dir);
  ASSERT_FALSE(ini.empty());
  EXPECT_GT(std::stoi(ini[0]), 200);
  // The lists were made by the emulator here, imported and deleted, and
  // the batch file with them; no launch was made.
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt", "RunMe.bat", "launch.log"}) {
    EXPECT_FALSE(Exists(dir.File(name))) << name;
  }
  EXPECT_EQ(e2e::QuitWithEscape(term), 0);
}

TEST(WindowsBuild, DrawsOnTheConsoleWhenStandardOutputIsAFile) {
  TempDir dir{TempDir::Stay};
  PrepareWindowsDemo(dir);
  TmuxSession term(dir.Path(), Wine("zeb.exe >out.txt"));
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(WaitUntilKeysArriveRaw(term)) << TerminalModes(term);
  EXPECT_EQ(e2e::QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::windows_e2e
