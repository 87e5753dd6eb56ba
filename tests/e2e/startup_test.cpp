// The program from start to end in a real terminal: the emulator's
// configuration call, the batch-file road of a first run, and a terminal
// given back as it was found.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

// An emulator that only records how it was called.
void InstallRecordingEmulator(const TempDir& dir) {
  WriteBytes(dir.File("mame.exe"), "#!/bin/sh\necho \"$@\" >> calls.log\n");
  chmod(dir.File("mame.exe").c_str(), 0755);
}

void InstallStandin(const TempDir& dir) {
  std::filesystem::copy_file(StandinBinary(), dir.File("mame.exe"));
}

const char* const RunMeBytes =
    "@echo off\r\n"
    "CLS\r\n"
    "Echo Making Files Lists For ZEB. These Files will be deleted by ZEB Later...\r\n"
    "mame -? >ver.txt\r\n"
    "mame -listfull >listfull.txt -sortdriver\r\n"
    "mame -listclones >listclones.txt -sortdriver\r\n"
    "zeb.exe\r\n";

TEST(Startup, FirstRunWithoutListsWritesTheBatchFileAndEndsOnAKey) {
  TempDir dir{TempDir::Stay};
  InstallStandin(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));

  EXPECT_EQ(term.Line(1).rfind("Please run the RunMe.bat!", 0), 0u);
  EXPECT_EQ(term.Line(3).rfind("Making RunMe.bat", 0), 0u);
  EXPECT_EQ(term.Line(5).rfind("Press a key to exit", 0), 0u);
  ScreenCell first = term.At(1, 1);
  EXPECT_EQ(first.Foreground, 15);
  EXPECT_EQ(first.Background, 12);
  EXPECT_EQ(term.At(1, 3).Foreground, 15);
  EXPECT_EQ(term.At(1, 3).Background, 2);
  EXPECT_EQ(term.At(1, 5).Foreground, 15);
  EXPECT_TRUE(term.At(1, 5).Background == 0 || term.At(1, 5).Background == -1);
  EXPECT_TRUE(SameLines(RunMeBytes, ReadBytes(dir.File("RunMe.bat"))));
  // The emulator was asked for its configuration before anything else.
  EXPECT_TRUE(Exists(dir.File("mame.ini")));

  term.Send("q");
  EXPECT_EQ(term.WaitExit(), 0);
  ExpectTerminalRestored(term);
}

TEST(Startup, ASecondStartKeepsTheBatchFileAndShowsTwoMessages) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  WriteBytes(dir.File("mame.ini"), "written by hand\r\n");
  WriteBytes(dir.File("RunMe.bat"), "left by the user\r\n");
  WriteBytes(dir.File("listfull.txt"), "only one list\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  EXPECT_EQ(term.Line(1).rfind("Please run the RunMe.bat!", 0), 0u);
  EXPECT_EQ(term.Line(3), "");
  EXPECT_EQ(ReadBytes(dir.File("RunMe.bat")), "left by the user\r\n");
  term.Send(" ");
  EXPECT_EQ(term.WaitExit(), 0);
  // With mame.ini present the emulator is not run at all.
  EXPECT_FALSE(Exists(dir.File("calls.log")));
  EXPECT_EQ(ReadBytes(dir.File("mame.ini")), "written by hand\r\n");
  ExpectTerminalRestored(term);
}

TEST(Startup, WithoutMameIniTheEmulatorIsAskedForItsConfiguration) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  EXPECT_EQ(ReadBytes(dir.File("calls.log")), "-cc\n");
  term.Send("x");
  EXPECT_EQ(term.WaitExit(), 0);
}

TEST(Startup, AnEmptyDatasaveDirectoryIsRemovedAFullOneStays) {
  for (bool full : {false, true}) {
    TempDir dir{TempDir::Stay};
    InstallRecordingEmulator(dir);
    std::filesystem::create_directory(dir.File("datasave"));
    if (full) WriteBytes(dir.File("datasave/game.sav"), "x");
    TmuxSession term(dir.Path(), ZebBinary());
    ASSERT_TRUE(term.WaitFor("Press a key to exit"));
    EXPECT_EQ(Exists(dir.File("datasave")), full);
    term.Send("x");
    EXPECT_EQ(term.WaitExit(), 0);
  }
}

TEST(Startup, DrawsOnTheTerminalWhenStandardOutputIsAFile) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  TmuxSession term(dir.Path(), ZebBinary() + " > out.txt");
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  EXPECT_EQ(term.Line(1).rfind("Please run the RunMe.bat!", 0), 0u);
  term.Send("x");
  EXPECT_EQ(term.WaitExit(), 0);
  ExpectTerminalRestored(term);
  // Nothing of the screen went into the file.
  EXPECT_EQ(ReadBytes(dir.File("out.txt")).find("Please run"), std::string::npos);
}

}  // namespace
}  // namespace zeb::e2e

namespace zeb::e2e {
namespace {

TEST(Startup, AnErrorReportGivesTheTerminalBack) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  WriteBytes(dir.File("mame.ini"), "x\r\n");
  std::string ini = "0\r\n\r\nroms\r\nsamples\r\nmame.exe\r\nabc\r\n";
  WriteBytes(dir.File("zeb.ini"), ini);
  TmuxSession term(dir.Path(), ZebBinary() + " 2> err.txt");
  EXPECT_EQ(term.WaitExit(), 1);
  ExpectTerminalRestored(term);
  EXPECT_EQ(ReadBytes(dir.File("err.txt")), "zeb: 'abc' is not a valid integer value\nzeb: in 'zeb.ini', line 6\n");
  EXPECT_TRUE(SameLines(ini, ReadBytes(dir.File("zeb.ini"))));
}

// A damaged settings file whose first line would switch the terminal's
// modes: the report shows the bytes, the terminal stays as it was given back.
TEST(Startup, AnErrorReportCannotSteerTheTerminal) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  WriteBytes(dir.File("mame.ini"), "x\r\n");
  WriteBytes(dir.File("zeb.ini"), "\x1b[?1049h\x1b[?1002h\x1b[?1006h\x1b[?25l\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  EXPECT_EQ(term.WaitExit(), 1);
  ExpectTerminalRestored(term);
  EXPECT_TRUE(term.WaitFor("zeb: '\\x1B[?1049h\\x1B[?1002h\\x1B[?1006h\\x1B[?25l' is not a valid integer value"));
  EXPECT_TRUE(term.WaitFor("zeb: in 'zeb.ini', line 1"));
}

TEST(Startup, ATerminationSignalGivesTheTerminalBack) {
  TempDir dir{TempDir::Stay};
  InstallRecordingEmulator(dir);
  WriteBytes(dir.File("mame.ini"), "x\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(term.WaitFor("Press a key to exit"));
  int pid = term.ProgramPid();
  ASSERT_GT(pid, 0);
  kill(pid, SIGTERM);
  EXPECT_EQ(term.WaitExit(), 128 + SIGTERM);
  ExpectTerminalRestored(term);
}

}  // namespace
}  // namespace zeb::e2e
