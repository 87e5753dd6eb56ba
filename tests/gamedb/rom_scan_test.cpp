// Which games have their ROM archive, and the refresh that follows a scan.

#include <filesystem>
#include <string>
#include <vector>

#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"
#include "gamedb/rom_scan_fixture.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using testing_support::CrLf;
using testing_support::GameDb;
using testing_support::ReadBytes;
using testing_support::RomScan;
using testing_support::SameLines;
using testing_support::WriteBytes;

TEST_F(RomScan, SeveralRomDirectoriesRelativeAndAbsolute) {
  std::string absolute = std::filesystem::current_path().string() + "/abs";
  MamePath = "base/";
  Touch("base/one/aaa.zip");
  Touch("base/two/bbb.zip");
  Touch(absolute + "/ccc.zip");
  Touch("one/ddd.zip");  // not under MamePath: never found
  SetGames({"aaa", "bbb", "ccc", "ddd", "eee"});

  RomPaths = "one;two;" + absolute;
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "11100");

  RomPaths = ";;one;;" + absolute + ";";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "10100");

  RomPaths = absolute;  // a single absolute directory stands as it is
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "00100");

  RomPaths = ";";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "00000");

  // A single empty directory is MamePath itself, as MamePath + "" + "\" + name.
  Touch("base/eee.zip");
  RomPaths = "";
  EXPECT_TRUE(RomArchiveExists("eee"));
  EXPECT_FALSE(RomArchiveExists("aaa"));
}

TEST_F(RomScan, ARefreshImportsCategoriesAndCheatsAndSavesTheSameEveryTime) {
  SetGames({"abc", "def"});
  Games[1].Category = "Loaded";
  Games[2].Category = "Kept";
  Games[2].CheatCount = "9";
  Touch("roms/def.zip");
  WriteBytes("catver.ini", CrLf({"", "", "", "abc=Maze", "[VerAdded]"}));
  WriteBytes("cheat.dat", CrLf({"abc:1", "abc:2"}));
  SaveSettings();

  ScanRomAvailability();
  std::string first = ReadBytes("zeb.ini");
  EXPECT_EQ(Flags(), "01");
  EXPECT_EQ(Games[1].Category.Str(), "Maze");
  EXPECT_EQ(Games[2].Category.Str(), "Kept");
  EXPECT_EQ(Games[1].CheatCount.Str(), "2");
  EXPECT_TRUE(Games[2].CheatCount.Empty());
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "", "Checking Catver", "", "Sorting Cheats"}));

  ScanRomAvailability();
  EXPECT_TRUE(SameLines(first, ReadBytes("zeb.ini")));

  // What was saved is what the scan left.
  testing_support::ResetAllState();
  LoadSettings();
  ASSERT_EQ(GameCount, 2);
  EXPECT_EQ(Games[1].Category.Str(), "Maze");
  EXPECT_EQ(Games[1].CheatCount.Str(), "2");
  EXPECT_EQ(Games[2].Available.Str(), "1");
}

}  // namespace
}  // namespace zeb
