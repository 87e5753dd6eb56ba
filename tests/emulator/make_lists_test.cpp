// The first run's road without the batch file: ZEB has the emulator write
// the three files itself, asks again without "-sortdriver" when a list
// fails, and on failure shows the emulator's own words and leaves no half
// made list behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/colours.h"
#include "console/console.h"
#include "emulator/make_lists.h"
#include "launch_fixture.h"
#include "make_lists_fixture.h"
#include "support/environment.h"
#include "support/platform.h"
#include "support/same_lines.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::MakeListsTest;
using launch_testing::InstallStandIn;
using testing_support::ForPlatform;
using testing_support::Here;
using testing_support::LineEnd;
using testing_support::ReadBytes;
using testing_support::SameLines;
using testing_support::ScopedEnvironment;
using testing_support::WriteBytes;

TEST_F(MakeListsTest, TheClassicEmulatorWritesTheThreeFilesAsTheBatchFileWould) {
  InstallStandIn("mame.exe");
  console.PutText("Please run the RunMe.bat!", {1, 1}, {White, LightRed});
  ASSERT_TRUE(MakeLists(console));
  EXPECT_TRUE(SameLines({"Making the lists with " + Here + "mame.exe", "", "mame.exe -? >ver.txt",
                         "mame.exe -listfull >listfull.txt -sortdriver",
                         "mame.exe -listclones >listclones.txt -sortdriver"},
                        Rows()));
  EXPECT_EQ(ReadBytes("ver.txt").substr(0, 14), "X.E.M. 0.37b9 ");
  EXPECT_EQ(ReadBytes("listfull.txt").rfind("Name:     Description:" + LineEnd, 0), 0u);
  EXPECT_EQ(ReadBytes("listclones.txt").rfind("Name:    Clone of:" + LineEnd, 0), 0u);
  EXPECT_FALSE(std::filesystem::exists("launch.log"));
}

// Today's emulator: on POSIX found on the search path, on Windows here (the
// only place it is looked for).
TEST_F(MakeListsTest, TodaysEmulatorIsAskedAgainWithoutSortdriver) {
  struct Emulator {
    std::string Installed, Found, Called;
  };
  const Emulator emulator = ForPlatform(Emulator{"bin/mame", dir.Path() + "/bin/mame", "mame"},
                                        Emulator{"mame.exe", "mame.exe", "mame.exe"});
  InstallStandIn(emulator.Installed);
  ScopedEnvironment searchPath("PATH", dir.Path() + "/nothing:" + dir.Path() + "/bin");
  ScopedEnvironment modern("XEM_MODERN", "1");
  ASSERT_TRUE(MakeLists(console));
  const std::string& called = emulator.Called;
  EXPECT_TRUE(SameLines({"Making the lists with " + emulator.Found, "", called + " -? >ver.txt",
                         called + " -listfull >listfull.txt -sortdriver", called + " -listfull >listfull.txt",
                         called + " -listclones >listclones.txt -sortdriver",
                         called + " -listclones >listclones.txt"},
                        Rows()));
  EXPECT_EQ(ReadBytes("ver.txt").rfind("X.E.M. v0.251 (unknown)" + LineEnd, 0), 0u);
  EXPECT_EQ(ReadBytes("listfull.txt").rfind("Name:             Description:" + LineEnd, 0), 0u);
  EXPECT_EQ(ReadBytes("listclones.txt").rfind("Name:            Clone of:" + LineEnd, 0), 0u);
}

// An emulator whose lists fail with and without -sortdriver, with words on
// its standard error: on POSIX a script that ends with status 3, on Windows
// ZEB itself in the emulator's place, which refuses the list calls with
// status 2. The clone list the user had stays.
TEST_F(MakeListsTest, AFailureShowsTheEmulatorsTextAndRemovesOnlyTheFilesItMade) {
  struct Failing {
    void (*Install)();
    std::vector<std::string> Rows;
  };
  const Failing failing = ForPlatform(
      Failing{[] {
                Script("mame", "case \"$1\" in\n"
                               "  -\\?) echo 'Emu 1.0 - x' ;;\n"
                               "  -listfull) echo 'Name: Description:'; printf 'Error: no \\033[31mlist\\r\\n' >&2; "
                               "exit 3 ;;\n"
                               "esac\n");
              },
              {"Making the lists with ./mame", "", "mame -? >ver.txt", "mame -listfull >listfull.txt -sortdriver",
               "mame -listfull >listfull.txt", "", "The lists could not be made:", "./mame ended with status 3",
               "Error: no \x1b[31mlist"}},  // the escape shows as its glyph
      Failing{[] { std::filesystem::copy_file(ZEB_BINARY, "mame.exe"); },
              {"Making the lists with mame.exe", "", "mame.exe -? >ver.txt",
               "mame.exe -listfull >listfull.txt -sortdriver", "mame.exe -listfull >listfull.txt", "",
               "The lists could not be made:", "mame.exe ended with status 2", "zeb: unknown argument '-listfull'",
               "Try 'zeb --help'."}});
  failing.Install();
  WriteBytes("listclones.txt", "the user's\r\n");
  EXPECT_FALSE(MakeLists(console));
  EXPECT_TRUE(SameLines(failing.Rows, Rows()));
  EXPECT_EQ(ForegroundAt(1, 7), LightRed);
  EXPECT_EQ(ForegroundAt(1, 9), LightGrey);
  EXPECT_FALSE(std::filesystem::exists("ver.txt"));
  EXPECT_FALSE(std::filesystem::exists("listfull.txt"));
  EXPECT_EQ(ReadBytes("listclones.txt"), "the user's\r\n");
}

TEST_F(MakeListsTest, WithoutAnEmulatorNothingIsRunOrMade) {
  EXPECT_FALSE(MakeLists(console));
  EXPECT_TRUE(SameLines({"", "The lists could not be made:",
                         "Cannot run mame.exe: " + testing_support::NoSuchFileReason(),
                         ForPlatform("(looked for mame.exe and mame here and on the PATH)",
                                     "(looked for mame.exe here)")},
                        Rows()));
  for (const char* file : {"ver.txt", "listfull.txt", "listclones.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  }
}

}  // namespace
}  // namespace zeb
