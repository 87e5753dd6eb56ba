// The first run's road without the batch file, on Windows: the emulator is
// mame.exe in the current directory and nowhere else, and writes the three
// files as the batch file's commands would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/make_lists.h"
#include "console/colours.h"
#include "console/console.h"
#include "console/scripted_backend.h"
#include "launch/launch.h"
#include "launch/launch_fixture.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using testing_support::ScopedEnvironment;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

class MakeListsTest : public testing_support::ProgramTest<> {
 protected:
  // The screen's rows, without trailing blanks, up to the last written.
  static std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int row = 1; row <= ScreenHeight; ++row) {
      std::string text = RowText(row);
      text.erase(text.find_last_not_of(' ') + 1);
      rows.push_back(text);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }

  testing_support::TempDir dir;
  ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

TEST_F(MakeListsTest, TheClassicEmulatorWritesTheThreeFilesAsTheBatchFileWould) {
  InstallStandIn("mame.exe");
  ASSERT_TRUE(MakeLists());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Making the lists with mame.exe", "", "mame.exe -? >ver.txt",
                                              "mame.exe -listfull >listfull.txt -sortdriver",
                                              "mame.exe -listclones >listclones.txt -sortdriver"}));
  EXPECT_EQ(ReadBytes("ver.txt").substr(0, 14), "X.E.M. 0.37b9 ");
  EXPECT_EQ(ReadBytes("listfull.txt").substr(0, 24), "Name:     Description:\r\n");
  EXPECT_EQ(ReadBytes("listclones.txt").substr(0, 20), "Name:    Clone of:\r\n");
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
}

TEST_F(MakeListsTest, TodaysEmulatorIsAskedAgainWithoutSortdriver) {
  InstallStandIn("mame.exe");
  ScopedEnvironment modern("XEM_MODERN", "1");
  ASSERT_TRUE(MakeLists());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Making the lists with mame.exe", "", "mame.exe -? >ver.txt",
                                              "mame.exe -listfull >listfull.txt -sortdriver",
                                              "mame.exe -listfull >listfull.txt",
                                              "mame.exe -listclones >listclones.txt -sortdriver",
                                              "mame.exe -listclones >listclones.txt"}));
  EXPECT_EQ(ReadBytes("listfull.txt").substr(0, 32), "Name:             Description:\r\n");
}

TEST_F(MakeListsTest, AFailureShowsTheEmulatorsTextAndRemovesOnlyTheFilesItMade) {
  // A program that refuses the list calls on standard error, with status 2:
  // ZEB itself in the emulator's place.
  std::filesystem::copy_file(ZEB_BINARY, "mame.exe");
  WriteBytes("listclones.txt", "the user's\r\n");
  EXPECT_FALSE(MakeLists());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Making the lists with mame.exe", "", "mame.exe -? >ver.txt",
                                              "mame.exe -listfull >listfull.txt -sortdriver",
                                              "mame.exe -listfull >listfull.txt", "",
                                              "The lists could not be made:", "mame.exe ended with status 2",
                                              "zeb: unknown argument '-listfull'", "Try 'zeb --help'."}));
  EXPECT_EQ(ForegroundAt(1, 7), LightRed);
  EXPECT_EQ(ForegroundAt(1, 9), LightGrey);
  EXPECT_FALSE(std::filesystem::exists("ver.txt"));
  EXPECT_FALSE(std::filesystem::exists("listfull.txt"));
  EXPECT_EQ(ReadBytes("listclones.txt"), "the user's\r\n");
}

TEST_F(MakeListsTest, AnEmulatorAnywhereButHereIsNotRun) {
  // Installed without ".exe", and only on the search path.
  InstallStandIn("mame");
  InstallStandIn("bin/mame.exe");
  ScopedEnvironment path("PATH", dir.Path() + "\\bin");
  EXPECT_FALSE(MakeLists());
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], "The lists could not be made:");
  EXPECT_EQ(rows[2].rfind("Cannot run mame.exe: ", 0), 0u) << rows[2];
  EXPECT_EQ(rows[3], "(looked for mame.exe here)");
  for (const char* file : {"ver.txt", "listfull.txt", "listclones.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  }
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
  EXPECT_FALSE(std::filesystem::exists("bin/launch.log"));
}

}  // namespace
}  // namespace zeb
