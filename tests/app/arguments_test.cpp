// The command line: which arguments are taken, the refusal's line, the help
// text's shape, and the version read from zeb.ini without loading it.

#include "app/arguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/program_test.h"
#include "support/same_lines.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::WriteBytes;

ArgumentsCheck Check(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "zeb");
  return CheckArguments(static_cast<int>(arguments.size()), arguments.data());
}

TEST(ArgumentsTest, OnlyHelpOrVersionAloneIsTaken) {
  EXPECT_EQ(Check({}).Request, ArgumentsRequest::Start);
  EXPECT_EQ(Check({"--help"}).Request, ArgumentsRequest::Help);
  EXPECT_EQ(Check({"-h"}).Request, ArgumentsRequest::Help);
  EXPECT_EQ(Check({"--version"}).Request, ArgumentsRequest::Version);
  EXPECT_EQ(Check({"-V"}).Request, ArgumentsRequest::Version);
  for (const char* wrong : {"--HELP", "-help", "--help=1", "--hel", "-v", "-H", "-hV", "--", "-", "", "help",
                            "--version ", "RunMe.bat"}) {
    ArgumentsCheck check = Check({wrong});
    EXPECT_EQ(check.Request, ArgumentsRequest::Refused) << wrong;
    EXPECT_EQ(check.Error, std::string("zeb: unknown argument '") + wrong + "'");
  }
  // More than one: the first unknown one is named; two known ones are one
  // too many.
  EXPECT_EQ(Check({"--help", "x"}).Error, "zeb: unknown argument 'x'");
  EXPECT_EQ(Check({"--version", "--help"}).Error, "zeb: one argument at most: '--help' is one too many");
  EXPECT_EQ(Check({"--version", "--help"}).Request, ArgumentsRequest::Refused);
}

TEST(ArgumentsTest, ARefusedArgumentIsShownWithoutItsControlBytes) {
  ArgumentsCheck check = Check({"--x\x1b[2J\r\n\x7f\xc3\xa9"});
  EXPECT_EQ(check.Error, "zeb: unknown argument '--x\\x1B[2J\\x0D\\x0A\\x7F\\xC3\\xA9'");
  // A very long argument is cut: the refusal stays one short line.
  std::string longOne(5000, 'a');
  check = Check({longOne.c_str()});
  EXPECT_EQ(check.Error, "zeb: unknown argument '" + std::string(100, 'a') + "...'");
  EXPECT_EQ(VisibleCut("abc", 3), "abc");
  EXPECT_EQ(VisibleCut("abcd", 3), "abc...");
}

TEST(ArgumentsTest, HelpFitsAnEightyColumnTerminal) {
  std::string help = HelpText();
  EXPECT_EQ(help.rfind("Usage: zeb [--help | --version]\n", 0), 0u);
  std::istringstream lines(help);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_LE(line.size(), 79u) << line;
    for (char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
  }
  EXPECT_LE(count, 50);
  // What it must name: the options, the files written, the exit statuses.
  for (const char* part : {"--help", "--version", "zeb.ini", "RunMe.bat", "wheel", "Esc", "Enter", "F2", "is:played",
                           "zeb-favourites.txt", "zeb-machines.txt", "0 quit",
                           "1 an error report", "2 a bad", "128+N"}) {
    EXPECT_NE(help.find(part), std::string::npos) << part;
  }
}

TEST(ArgumentsTest, TheBuildNamesTheProgramsVersion) {
  // The package, the manual page check and the program take the version
  // from the build's project(); the package's changelog must open with the
  // entry for it.
  std::string cmake = testing_support::ReadBytes(std::string(ZEB_SOURCE_DIR) + "/CMakeLists.txt");
  std::string version = std::string(ProgramVersionText).substr(1);
  EXPECT_EQ(ProgramVersionText[0], 'v');
  EXPECT_NE(cmake.find("project(zeb VERSION " + version + " "), std::string::npos);
  std::string changelog = testing_support::ReadBytes(std::string(ZEB_SOURCE_DIR) + "/doc/changelog");
  EXPECT_EQ(changelog.rfind("zeb (" + version + ") ", 0), 0u) << changelog.substr(0, changelog.find('\n'));
}

class VersionTest : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir;
  const std::string Program = std::string("ZEB ") + ProgramVersionText + "\n";
};

TEST_F(VersionTest, ProgramVersionAloneWithoutASettingsFile) {
  EXPECT_EQ(Program, "ZEB v1.1\n");
  EXPECT_EQ(VersionText(), Program);
  std::filesystem::create_directory("zeb.ini");  // a directory is no file
  EXPECT_EQ(VersionText(), Program);
}

TEST_F(VersionTest, EmulatorVersionOfASavedSettingsFile) {
  SetDefaultSettings(settings, options.Captions);
  games.MameVersion = "X.E.M. 0.37b9 (Mar 1 2001)";
  SaveSettings(settings, games);
  EXPECT_EQ(VersionText(), Program + "Emulator version in zeb.ini: X.E.M. 0.37b9 (Mar 1 2001)\n");
  // Reading it changed nothing.
  std::string saved = testing_support::ReadBytes("zeb.ini");
  VersionText();
  EXPECT_TRUE(testing_support::SameLines(saved, testing_support::ReadBytes("zeb.ini")));
}

TEST_F(VersionTest, ReadsLineFortySixOfAnyShapeWithoutLoading) {
  // A malformed number that would end the load, lines ended by LF or CR
  // alone, and control bytes in the version.
  std::string lines = "1\nnot a number\r";
  for (int i = 3; i <= 45; ++i) lines += "x\r\n";
  WriteBytes("zeb.ini", lines + "Emu\x1b]0;t\x07 1.0\r\ngame\r\n");
  EXPECT_EQ(VersionText(), Program + "Emulator version in zeb.ini: Emu\\x1B]0;t\\x07 1.0\n");
  // The last line needs no line end; the end mark 0x1A ends the file.
  WriteBytes("zeb.ini", lines + "0.251");
  EXPECT_EQ(VersionText(), Program + "Emulator version in zeb.ini: 0.251\n");
  WriteBytes("zeb.ini", lines + "0.2\x1a" "51\r\n");
  EXPECT_EQ(VersionText(), Program + "Emulator version in zeb.ini: 0.2\n");
  // Only the first 255 bytes of a longer line.
  WriteBytes("zeb.ini", lines + std::string(300, 'v') + "\r\n");
  EXPECT_EQ(VersionText(), Program + "Emulator version in zeb.ini: " + std::string(255, 'v') + "\n");
  WriteBytes("zeb.ini", lines + "\r\n");
  EXPECT_EQ(VersionText(), Program + "zeb.ini names no emulator version (its line 46 is empty)\n");
}

TEST_F(VersionTest, ATooShortFileIsSaidPlainly) {
  std::string lines;
  for (int i = 1; i <= 45; ++i) lines += "1\r\n";
  WriteBytes("zeb.ini", lines);
  EXPECT_EQ(VersionText(),
            Program + "zeb.ini is too short to name an emulator version: it has 45 lines, the version is on line 46\n");
  WriteBytes("zeb.ini", lines + "\x1a" "after the end mark\r\n");
  EXPECT_EQ(VersionText(),
            Program + "zeb.ini is too short to name an emulator version: it has 45 lines, the version is on line 46\n");
  WriteBytes("zeb.ini", "0");
  EXPECT_EQ(VersionText(),
            Program + "zeb.ini is too short to name an emulator version: it has 1 line, the version is on line 46\n");
  WriteBytes("zeb.ini", "");
  EXPECT_NE(VersionText().find("it has 0 lines"), std::string::npos);
}

}  // namespace
}  // namespace zeb
