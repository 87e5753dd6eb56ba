// The first run's road without the batch file: ZEB has the emulator write
// the three files itself, asks again without "-sortdriver" when a list
// fails, and on failure shows the emulator's own words and leaves no half
// made list behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/make_lists.h"
#include "console/colours.h"
#include "console/console.h"
#include "console/scripted_backend.h"
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
  void SetUp() override {
    ProgramTest::SetUp();
    std::filesystem::create_directory("nothing");
  }
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
  static void Script(const std::string& path, const std::string& text) {
    WriteBytes(path, "#!/bin/sh\n" + text);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  }

  testing_support::TempDir dir;
  ScopedEnvironment path{"PATH", dir.Path() + "/nothing"};
  ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

TEST_F(MakeListsTest, TheClassicEmulatorWritesTheThreeFilesAsTheBatchFileWould) {
  InstallStandIn("mame.exe");
  PutText("Please run the RunMe.bat!", 1, 1, White, LightRed);
  ASSERT_TRUE(MakeLists());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Making the lists with ./mame.exe", "",
                                              "mame.exe -? >ver.txt",
                                              "mame.exe -listfull >listfull.txt -sortdriver",
                                              "mame.exe -listclones >listclones.txt -sortdriver"}));
  EXPECT_EQ(ReadBytes("ver.txt").substr(0, 14), "X.E.M. 0.37b9 ");
  EXPECT_EQ(ReadBytes("listfull.txt").substr(0, 23), "Name:     Description:\n");
  EXPECT_EQ(ReadBytes("listclones.txt").substr(0, 19), "Name:    Clone of:\n");
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
}

TEST_F(MakeListsTest, TodaysEmulatorOnThePathIsAskedAgainWithoutSortdriver) {
  InstallStandIn("bin/mame");
  ScopedEnvironment searchPath("PATH", dir.Path() + "/nothing:" + dir.Path() + "/bin");
  ScopedEnvironment modern("XEM_MODERN", "1");
  ASSERT_TRUE(MakeLists());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Making the lists with " + dir.Path() + "/bin/mame", "",
                                              "mame -? >ver.txt", "mame -listfull >listfull.txt -sortdriver",
                                              "mame -listfull >listfull.txt",
                                              "mame -listclones >listclones.txt -sortdriver",
                                              "mame -listclones >listclones.txt"}));
  EXPECT_EQ(ReadBytes("ver.txt").substr(0, 24), "X.E.M. v0.251 (unknown)\n");
  EXPECT_EQ(ReadBytes("listfull.txt").substr(0, 31), "Name:             Description:\n");
  EXPECT_EQ(ReadBytes("listclones.txt").substr(0, 27), "Name:            Clone of:\n");
}

TEST_F(MakeListsTest, AFailureShowsTheEmulatorsTextAndRemovesOnlyTheFilesItMade) {
  // Lists that fail with and without -sortdriver; the clone list the user
  // had stays.
  Script("mame", "case \"$1\" in\n"
                 "  -\\?) echo 'Emu 1.0 - x' ;;\n"
                 "  -listfull) echo 'Name: Description:'; printf 'Error: no \\033[31mlist\\r\\n' >&2; exit 3 ;;\n"
                 "esac\n");
  WriteBytes("listclones.txt", "the user's\r\n");
  EXPECT_FALSE(MakeLists());
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[4], "mame -listfull >listfull.txt");
  EXPECT_EQ(rows[6], "The lists could not be made:");
  EXPECT_EQ(rows[7], "./mame ended with status 3");
  EXPECT_EQ(rows[8], "Error: no \x1b[31mlist");  // the escape shows as its glyph
  EXPECT_EQ(ForegroundAt(1, 7), LightRed);
  EXPECT_EQ(ForegroundAt(1, 9), LightGrey);
  EXPECT_FALSE(std::filesystem::exists("ver.txt"));
  EXPECT_FALSE(std::filesystem::exists("listfull.txt"));
  EXPECT_EQ(ReadBytes("listclones.txt"), "the user's\r\n");
}

TEST_F(MakeListsTest, ListsThatComeOutEmptyAreFailuresToo) {
  Script("mame", "[ \"$1\" = -listfull ] && echo 'Name:             Description:'\nexit 0\n");
  EXPECT_FALSE(MakeLists());
  EXPECT_EQ(Rows().at(7), "./mame ran, but it wrote no game lines into listfull.txt");

  Script("mame", "[ \"$1\" = -listfull ] && printf 'h\\ng \"G\"\\n'\nexit 0\n");
  EXPECT_FALSE(MakeLists());
  EXPECT_EQ(Rows().at(8), "./mame ran, but it wrote nothing into listclones.txt");
  for (const char* file : {"ver.txt", "listfull.txt", "listclones.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  }
}

TEST_F(MakeListsTest, WithoutAnEmulatorNothingIsRunOrMade) {
  EXPECT_FALSE(MakeLists());
  std::vector<std::string> rows = Rows();
  EXPECT_EQ(rows, (std::vector<std::string>{"", "The lists could not be made:",
                                            "Cannot run mame.exe: No such file or directory",
                                            "(looked for mame.exe and mame here and on the PATH)"}));
  EXPECT_FALSE(std::filesystem::exists("ver.txt"));
}

}  // namespace
}  // namespace zeb
