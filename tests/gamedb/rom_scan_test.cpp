// Which games have their ROM archive, on either file system (POSIX names
// are case-sensitive and a drive path is a relative name like any other;
// Windows finds names whatever their case and a drive path is absolute),
// and the refresh that follows a scan.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"
#include "gamedb/rom_scan_fixture.h"
#include "settings/settings.h"
#include "support/platform.h"

namespace zeb {
namespace {

using testing_support::CrLf;
using testing_support::ForPlatform;
using testing_support::GameDb;
using testing_support::ReadBytes;
using testing_support::RomScan;
using testing_support::SameLines;
using testing_support::Touch;
using testing_support::WriteBytes;

TEST_F(RomScan, AGameIsAvailableWhenItsArchiveIsAFileInTheRomDirectory) {
  SetGames({"abc", "def", "ghi", "ABC", "", "jkl"});
  games.Games[6].Available = "1";
  Touch("roms/abc.zip");
  Touch("roms/ghi.zip/inside.txt");  // a directory named like an archive
  Touch("roms/ABC.zip.zip");
  Touch("roms/.zip");
  Scan();
  // On Windows "ABC" finds abc.zip: the file system does not tell the cases
  // apart.
  EXPECT_EQ(Flags(), ForPlatform("100010", "100110"));
  EXPECT_TRUE(Progress().empty()) << "the first-run scan reports nothing";

  settings.RomPaths = "nowhere";
  Scan();
  EXPECT_EQ(Flags(), "000000");
}

TEST_F(RomScan, NatodefaAlsoRunsFromTheArchiveOfNatodef) {
  SetGames({"natodefa", "natodef", "natodefb", "Natodefa"});
  Scan();
  EXPECT_EQ(Flags(), "0000");
  Touch("roms/natodef.zip");
  Scan();
  // The exception holds for the exact name only.
  EXPECT_EQ(Flags(), "1100");
  std::filesystem::remove("roms/natodef.zip");
  Touch("roms/natodefa.zip");
  Scan();
  EXPECT_EQ(Flags(), ForPlatform("1000", "1001"));
  // The rule holds in each of several ROM directories.
  std::filesystem::remove("roms/natodefa.zip");
  Touch("more/natodef.zip");
  settings.RomPaths = "roms;more";
  Scan();
  EXPECT_EQ(Flags(), "1100");
}

// "D:\MAME" is a relative name on POSIX, found from this directory only;
// on Windows a drive path ("C:\...", this directory's) is found from
// anywhere.
TEST_F(RomScan, MamePathIsJoinedToTheRomDirectoryWithNothingBetween) {
  SetGames({"abc", "def"});
  const std::string here = std::filesystem::current_path().string();
  const std::string mame = ForPlatform<std::string>("D:\\MAME", here + "\\MAME");
  std::string mameDirectory = mame;
  std::replace(mameDirectory.begin(), mameDirectory.end(), '\\', '/');
  settings.MamePath = mame;
  Touch(mameDirectory + "roms/abc.zip");
  Touch(mameDirectory + "/roms/def.zip");
  Scan();
  EXPECT_EQ(Flags(), "10");
  EXPECT_TRUE(RomArchiveExists(settings, "abc"));
  // From another current directory.
  std::filesystem::create_directory("elsewhere");
  std::filesystem::current_path("elsewhere");
  Scan();
  EXPECT_EQ(Flags(), ForPlatform("00", "10"));
  std::filesystem::current_path(here);

  settings.MamePath = mame + "\\";
  Scan();
  EXPECT_EQ(Flags(), "01");
}

// With several directories an empty piece is passed over: it never stands
// for settings.MamePath itself, as a single empty directory does.
TEST_F(RomScan, AnEmptyPieceOfSeveralDirectoriesIsNotMamePath) {
  SetGames({"abc"});
  settings.MamePath = "sub";
  Touch("sub/abc.zip");  // settings.MamePath + "" + "\" + "abc" + ".zip"
  settings.RomPaths = "roms;;x";
  Scan();
  EXPECT_EQ(Flags(), "0");
  settings.RomPaths = "";
  Scan();
  EXPECT_EQ(Flags(), "1");
}

TEST_F(RomScan, SeveralRomDirectoriesRelativeAndAbsolute) {
  std::string absolute = std::filesystem::current_path().string() + "/abs";
  settings.MamePath = "base/";
  Touch("base/one/aaa.zip");
  Touch("base/two/bbb.zip");
  Touch(absolute + "/ccc.zip");
  Touch("one/ddd.zip");  // not under settings.MamePath: never found
  SetGames({"aaa", "bbb", "ccc", "ddd", "eee"});

  settings.RomPaths = "one;two;" + absolute;
  Scan();
  EXPECT_EQ(Flags(), "11100");

  settings.RomPaths = ";;one;;" + absolute + ";";
  Scan();
  EXPECT_EQ(Flags(), "10100");

  settings.RomPaths = absolute;  // a single absolute directory stands as it is
  Scan();
  EXPECT_EQ(Flags(), "00100");

  settings.RomPaths = ";";
  Scan();
  EXPECT_EQ(Flags(), "00000");

  // A single empty directory is settings.MamePath itself, as settings.MamePath + "" + "\" + name.
  Touch("base/eee.zip");
  settings.RomPaths = "";
  EXPECT_TRUE(RomArchiveExists(settings, "eee"));
  EXPECT_FALSE(RomArchiveExists(settings, "aaa"));
}

TEST_F(RomScan, ARefreshImportsCategoriesAndCheatsAndSavesTheSameEveryTime) {
  SetGames({"abc", "def"});
  games.Games[1].Category = "Loaded";
  games.Games[2].Category = "Kept";
  games.Games[2].CheatCount = "9";
  Touch("roms/def.zip");
  WriteBytes("catver.ini", CrLf({"", "", "", "abc=Maze", "[VerAdded]"}));
  WriteBytes("cheat.dat", CrLf({"abc:1", "abc:2"}));
  SaveSettings(settings, games);

  Scan();
  std::string first = ReadBytes("zeb.ini");
  EXPECT_EQ(Flags(), "01");
  EXPECT_EQ(games.Games[1].Category.Str(), "Maze");
  EXPECT_EQ(games.Games[2].Category.Str(), "Kept");
  EXPECT_EQ(games.Games[1].CheatCount.Str(), "2");
  EXPECT_TRUE(games.Games[2].CheatCount.Empty());
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "", "Checking Catver", "", "Sorting Cheats"}));

  Scan();
  EXPECT_TRUE(SameLines(first, ReadBytes("zeb.ini")));

  // What was saved is what the scan left.
  Settings loaded;
  GameTable table;
  LoadSettings(loaded, table);
  ASSERT_EQ(table.GameCount, 2);
  EXPECT_EQ(table.Games[1].Category.Str(), "Maze");
  EXPECT_EQ(table.Games[1].CheatCount.Str(), "2");
  EXPECT_EQ(table.Games[2].Available.Str(), "1");
}

}  // namespace
}  // namespace zeb
