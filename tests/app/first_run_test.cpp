// The first run: a new table takes the ROM and sample directories that the
// emulator's own mame.ini names, and is scanned there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/startup.h"
#include "support/environment.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::Touch;
using testing_support::WriteBytes;

class FirstRunTest : public testing_support::ProgramTest<> {
 protected:
  // The emulator's lists of two games and its mame.ini, and a first run.
  void FirstRunWith(const std::string& configuration) {
    WriteBytes("ver.txt", "X.E.M. 0.37b9 (Jun 14 2000) - x\r\n");
    WriteBytes("listfull.txt", "Name:     Description:\r\nastrobee  \"Astro Blaster\"\r\ndrzap     \"Dr. Zap\"\r\n");
    WriteBytes("listclones.txt", "Name:    Clone of:\r\n");
    WriteBytes("mame.ini", configuration);
    std::filesystem::remove("zeb.ini");
    FirstRun(console, settings, options.Captions, list.ListFilter, games);
  }

  testing_support::TempDir dir;
  const std::string home = dir.Path() + "/home";
  testing_support::ScopedEnvironment homeVariable{"HOME", home};
};

TEST_F(FirstRunTest, TheEmulatorsDirectoriesWithHomeExpanded) {
  Touch(home + "/mame/roms/drzap.zip");
  FirstRunWith("# CORE SEARCH PATH OPTIONS\nrompath                   $HOME/mame/roms;/nowhere/roms\n"
               "samplepath                $HOME/mame/samples\n");
  EXPECT_EQ(settings.RomPaths.Str(), home + "/mame/roms;/nowhere/roms");
  EXPECT_EQ(settings.SamplePaths.Str(), home + "/mame/samples");
  ASSERT_EQ(games.GameCount, 2);
  EXPECT_EQ(games.Games[1].Available, "0");
  EXPECT_EQ(games.Games[2].Available, "1");
  EXPECT_NE(ReadBytes("zeb.ini").find(home + "/mame/roms;/nowhere/roms\r\n"), std::string::npos);
}

TEST_F(FirstRunTest, WithoutTheLinesOrWithTheDefaultsTheDefaultsStay) {
  Touch("roms/astrobee.zip");
  for (const char* configuration : {"", "rompath roms\nsamplepath samples\n", "# rompath /x\nrompath \"roms\"\n"}) {
    FirstRunWith(configuration);
    EXPECT_EQ(settings.RomPaths, "roms") << configuration;
    EXPECT_EQ(settings.SamplePaths, "samples") << configuration;
    EXPECT_EQ(games.Games[1].Available, "1") << configuration;
  }
}

}  // namespace
}  // namespace zeb
