// Which games have their ROM archive, on a POSIX file system: names are
// case-sensitive, and a Windows drive path is a relative name like any other.

#include <filesystem>
#include <string>

#include "gamedb/gamedb.h"
#include "gamedb/rom_scan_fixture.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using testing_support::RomScan;

TEST_F(RomScan, AGameIsAvailableWhenItsArchiveIsAFileInTheRomDirectory) {
  SetGames({"abc", "def", "ghi", "ABC", "", "jkl"});
  Games[6].Available = "1";
  Touch("roms/abc.zip");
  Touch("roms/ghi.zip/inside.txt");  // a directory named like an archive
  Touch("roms/ABC.zip.zip");
  Touch("roms/.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "100010");
  EXPECT_TRUE(Progress().empty()) << "the first-run scan reports nothing";

  RomPaths = "nowhere";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "000000");
}

TEST_F(RomScan, NatodefaAlsoRunsFromTheArchiveOfNatodef) {
  SetGames({"natodefa", "natodef", "natodefb", "Natodefa"});
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "0000");
  Touch("roms/natodef.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "1100");
  std::filesystem::remove("roms/natodef.zip");
  Touch("roms/natodefa.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "1000");
  // The rule holds in each of several ROM directories.
  std::filesystem::remove("roms/natodefa.zip");
  Touch("more/natodef.zip");
  RomPaths = "roms;more";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "1100");
}

TEST_F(RomScan, MamePathIsJoinedToTheRomDirectoryWithNothingBetween) {
  SetGames({"abc", "def"});
  MamePath = "D:\\MAME";
  Touch("D:/MAMEroms/abc.zip");
  Touch("D:/MAME/roms/def.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "10");
  EXPECT_TRUE(RomArchiveExists("abc"));

  MamePath = "D:\\MAME\\";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "01");
}

}  // namespace
}  // namespace zeb
