// The ROM and sample directories of the emulator's own configuration file.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "gamedb/emulator_paths.h"
#include "emulator/processes.h"
#include "support/environment.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ScopedEnvironment;
using testing_support::WriteBytes;

class EmulatorPathsTest : public ::testing::Test {
 protected:
  testing_support::TempDir dir;
  ScopedEnvironment home{"HOME", "/home/ann"};
  ScopedEnvironment games{"ZEB_TEST_GAMES", "/srv/games"};
  ScopedEnvironment unset{"ZEB_TEST_UNSET", std::nullopt};
};

// The lines as today's emulator writes them with -cc, around others.
const std::string TodaysLines[] = {
    "#",
    "# CORE SEARCH PATH OPTIONS",
    "#",
    "homepath                  .",
    "rompath                   $HOME/mame/roms;/usr/local/share/games/mame/roms;/usr/share/games/mame/roms",
    "rompathx                  not/this",
    "hashpath                  $HOME/mame/hash;/usr/share/games/mame/hash",
    "samplepath                $HOME/mame/samples;/usr/share/games/mame/samples",
    "artpath                   $HOME/mame/artwork",
};

std::string Joined(const std::string (&lines)[9], const std::string& end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

TEST_F(EmulatorPathsTest, TodaysConfigurationGivesItsDirectoriesWithTheEnvironmentPutIn) {
  for (const char* end : {"\n", "\r\n"}) {
    WriteBytes("mame.ini", Joined(TodaysLines, end));
    EmulatorPaths paths = ReadEmulatorPaths();
    EXPECT_EQ(paths.RomPaths, "/home/ann/mame/roms;/usr/local/share/games/mame/roms;/usr/share/games/mame/roms");
    EXPECT_EQ(paths.SamplePath, "/home/ann/mame/samples;/usr/share/games/mame/samples");
  }
  // Only the first is there; the last line of a name holds.
  WriteBytes("mame.ini", "rompath  one\nrompath \t \"~/My Roms;${ZEB_TEST_GAMES}/roms\"  \r\n");
  EmulatorPaths paths = ReadEmulatorPaths();
  EXPECT_EQ(paths.RomPaths, "/home/ann/My Roms;/srv/games/roms");
  EXPECT_EQ(paths.SamplePath, std::nullopt);
  EXPECT_EQ(ReadEmulatorPaths("elsewhere.ini").RomPaths, std::nullopt);
}

// The file as the stand-in writes it with -cc in either generation.
TEST_F(EmulatorPathsTest, TheStandInsConfiguration) {
  const std::filesystem::path standIn = ZEB_STANDIN;
  ASSERT_FALSE(standIn.empty()) << "the stand-in emulator was not built";
  std::filesystem::copy_file(standIn, "mame.exe");
  std::filesystem::permissions("mame.exe", std::filesystem::perms::owner_all);
  const ProgramFile emulator = ResolveProgram("mame.exe", false);

  {
    ScopedEnvironment classic("XEM_MODERN", std::nullopt);
    ASSERT_EQ(RunIntoFile(emulator, {"mame.exe", "-cc"}, "out.txt").ExitStatus, 0);
    EmulatorPaths paths = ReadEmulatorPaths();
    EXPECT_EQ(paths.RomPaths, std::nullopt);
    EXPECT_EQ(paths.SamplePath, std::nullopt);
  }
  ScopedEnvironment modern("XEM_MODERN", "1");
  ASSERT_EQ(RunIntoFile(emulator, {"mame.exe", "-cc"}, "out.txt").ExitStatus, 0);
  EmulatorPaths paths = ReadEmulatorPaths();
  EXPECT_EQ(paths.RomPaths, "/home/ann/mame/roms;/usr/local/share/games/mame/roms");
  EXPECT_EQ(paths.SamplePath, "/home/ann/mame/samples");
}

TEST_F(EmulatorPathsTest, TheEnvironmentIsPutInWhereTheEmulatorPutsIt) {
  EXPECT_EQ(ExpandedPathList("~;~/roms;~\\roms;a/~;~ann/roms"),
            "/home/ann;/home/ann/roms;/home/ann\\roms;a/~;~ann/roms");
  EXPECT_EQ(ExpandedPathList("$ZEB_TEST_GAMES/roms;${ZEB_TEST_GAMES}x;$ZEB_TEST_GAMESx"),
            "/srv/games/roms;/srv/gamesx;");
  EXPECT_EQ(ExpandedPathList("$ZEB_TEST_UNSET/roms;${ZEB_TEST_UNSET}"), "/roms;");
  // A "$" that starts no name stays.
  EXPECT_EQ(ExpandedPathList("a$;$/b;${;${}x;${ZEB_TEST_GAMES;5$$"), "a$;$/b;${;${}x;${ZEB_TEST_GAMES;5$$");
  EXPECT_EQ(ExpandedPathList(""), "");
}

TEST_F(EmulatorPathsTest, NothingWithoutAUsableValue) {
  const std::string none[] = {
      // An empty file; a comment and lines without a value.
      "",
      "# rompath /comment\nsamplepath\nrompath\t\n",
      // The classic emulator's file, and the defaults.
      "rompath    = roms\nsamplepath = samples\n",
      "rompath roms\r\nsamplepath samples\r\n",
      // Nothing once expanded; not the name, or no blank after it.
      "rompath $ZEB_TEST_UNSET\nsamplepath ${ZEB_TEST_UNSET}\n",
      "ROMPATH /up\nrompath=/glued\n",
      // 256 characters once expanded.
      "rompath ~/" + std::string(246, 'r') + "\n",
  };
  for (const std::string& text : none) {
    WriteBytes("mame.ini", text);
    EmulatorPaths paths = ReadEmulatorPaths();
    EXPECT_EQ(paths.RomPaths, std::nullopt) << text;
    EXPECT_EQ(paths.SamplePath, std::nullopt) << text;
  }
  // 255 characters fit.
  WriteBytes("mame.ini", "rompath ~/" + std::string(245, 'r') + "\n");
  EXPECT_EQ(ReadEmulatorPaths().RomPaths, "/home/ann/" + std::string(245, 'r'));
  // No file at all.
  std::remove("mame.ini");
  EXPECT_EQ(ReadEmulatorPaths().RomPaths, std::nullopt);
}

TEST_F(EmulatorPathsTest, AValueIsTheRestOfItsLine) {
  EXPECT_EQ(ConfigurationValue("rompath   a b  c  \r\nx 1\n", "rompath"), "a b  c");
  EXPECT_EQ(ConfigurationValue("  rompath \"q\"", "rompath"), "q");
  EXPECT_EQ(ConfigurationValue("rompath \"open", "rompath"), "\"open");
  EXPECT_EQ(ConfigurationValue("rompath    = roms", "rompath"), "roms");
  EXPECT_EQ(ConfigurationValue("rompath ", "rompath"), "");
  EXPECT_EQ(ConfigurationValue("rompaths x\nrom x", "rompath"), std::nullopt);
}

}  // namespace
}  // namespace zeb
