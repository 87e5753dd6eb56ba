// The built program with arguments: what it prints where, its exit status,
// and that it leaves the directory as it was (and, on POSIX, the terminal).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line_fixture.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using app_testing::CommandLineTest;
using app_testing::ZebExit;
using testing_support::LineEnd;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

TEST_F(CommandLineTest, HelpAndVersionInAnEmptyDirectory) {
  for (const char* help : {"--help", "-h"}) {
    ZebExit outcome = Run({help});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out.rfind("Usage: zeb [--help | --version]" + LineEnd, 0), 0u);
    EXPECT_NE(outcome.Out.find("Exit status"), std::string::npos);
    EXPECT_EQ(outcome.Err, "");
  }
  for (const char* version : {"--version", "-V"}) {
    ZebExit outcome = Run({version});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out, "ZEB v1.1" + LineEnd);
    EXPECT_EQ(outcome.Err, "");
  }
  EXPECT_TRUE(fs::is_empty(dir.Path()));  // no RunMe.bat, no mame.ini
}

TEST_F(CommandLineTest, VersionReadsTheSettingsFileAndLeavesItAlone) {
  std::string ini;
  for (int i = 1; i <= 45; ++i) ini += i == 6 ? "not a number\r\n" : "0\r\n";
  WriteBytes("zeb.ini", ini + "X.E.M. 0.37b9\r\n");
  WriteBytes("listfull.txt", "name      description\r\n");
  ZebExit outcome = Run({"--version"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Out, "ZEB v1.1" + LineEnd + "Emulator version in zeb.ini: X.E.M. 0.37b9" + LineEnd);
  EXPECT_EQ(outcome.Err, "");
}

TEST_F(CommandLineTest, AnyOtherArgumentIsRefusedWithStatusTwo) {
  WriteBytes("mame.exe", "not run\n");
  fs::permissions("mame.exe", fs::perms::owner_all);
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "zeb: unknown argument '--bogus'"},
      {{"/?"}, "zeb: unknown argument '/?'"},
      {{"--help", "zeb.ini"}, "zeb: unknown argument 'zeb.ini'"},
      {{"-V", "-h"}, "zeb: one argument at most: '-h' is one too many"},
      {{"\x1b[?1049h"}, "zeb: unknown argument '\\x1B[?1049h'"},
  };
  for (const auto& [arguments, line] : cases) {
    ZebExit outcome = Run(arguments);
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, line + LineEnd + "Try 'zeb --help'." + LineEnd);
  }
}

}  // namespace
}  // namespace zeb
