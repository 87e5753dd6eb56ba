// The built program with arguments, on Windows: what it prints where and
// its exit status, and that it leaves the directory as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "emulator/launch.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

// Every entry of the directory with its content (or "<dir>").
std::map<std::string, std::string> Listing(const std::string& directory) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    entries[entry.path().string()] = entry.is_directory() ? "<dir>" : ReadBytes(entry.path().string());
  }
  return entries;
}

struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

class CommandLineTest : public testing_support::ProgramTest<> {
 protected:
  // Runs zeb.exe in the directory under test, its standard output into a
  // file of another one; nothing may change here.
  Outcome Run(const std::vector<std::string>& arguments) {
    auto before = Listing(dir.Path());
    std::vector<std::string> words{"zeb.exe"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const std::string out = outputs.Path() + "\\out";
    CapturedRun run = RunIntoFile(ProgramFile{ZEB_BINARY, "zeb.exe", ""}, words, out);
    EXPECT_TRUE(run.Started) << run.Reason;
    EXPECT_EQ(Listing(dir.Path()), before);
    return Outcome{run.ExitStatus, ReadBytes(out), run.ErrorText};
  }

  testing_support::TempDir outputs;
  testing_support::TempDir dir;  // the current directory of the test, too
};

TEST_F(CommandLineTest, HelpAndVersionInAnEmptyDirectory) {
  for (const char* help : {"--help", "-h"}) {
    Outcome outcome = Run({help});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out.rfind("Usage: zeb [--help | --version]\r\n", 0), 0u);
    EXPECT_NE(outcome.Out.find("Exit status"), std::string::npos);
    EXPECT_EQ(outcome.Err, "");
  }
  for (const char* version : {"--version", "-V"}) {
    Outcome outcome = Run({version});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out, "ZEB v1.1\r\n");
    EXPECT_EQ(outcome.Err, "");
  }
  EXPECT_TRUE(fs::is_empty(dir.Path()));  // no RunMe.bat, no mame.ini
}

TEST_F(CommandLineTest, VersionReadsTheSettingsFileAndLeavesItAlone) {
  std::string ini;
  for (int i = 1; i <= 45; ++i) ini += i == 6 ? "not a number\r\n" : "0\r\n";
  WriteBytes("zeb.ini", ini + "X.E.M. 0.37b9\r\n");
  Outcome outcome = Run({"--version"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Out, "ZEB v1.1\r\nEmulator version in zeb.ini: X.E.M. 0.37b9\r\n");
  EXPECT_EQ(outcome.Err, "");
}

TEST_F(CommandLineTest, AnyOtherArgumentIsRefusedWithStatusTwo) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "zeb: unknown argument '--bogus'\r\n"},
      {{"/?"}, "zeb: unknown argument '/?'\r\n"},
      {{"--help", "zeb.ini"}, "zeb: unknown argument 'zeb.ini'\r\n"},
      {{"-V", "-h"}, "zeb: one argument at most: '-h' is one too many\r\n"},
  };
  for (const auto& [arguments, line] : cases) {
    Outcome outcome = Run(arguments);
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, line + "Try 'zeb --help'.\r\n");
  }
}

}  // namespace
}  // namespace zeb
