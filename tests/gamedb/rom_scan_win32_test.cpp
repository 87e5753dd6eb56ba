// Which games have their ROM archive, on a Windows file system: names are
// found whatever their case, and a path with a drive letter is absolute.

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
  Touch("roms/.zip");
  ScanRomAvailability();
  // "ABC" finds abc.zip: the file system does not tell the cases apart.
  EXPECT_EQ(Flags(), "100110");

  RomPaths = "nowhere";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "000000");
}

TEST_F(RomScan, NatodefaAlsoRunsFromTheArchiveOfNatodef) {
  SetGames({"natodefa", "natodef", "natodefb", "Natodefa"});
  Touch("roms/natodef.zip");
  ScanRomAvailability();
  // The exception holds for the exact name only.
  EXPECT_EQ(Flags(), "1100");
  std::filesystem::remove("roms/natodef.zip");
  Touch("roms/natodefa.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "1001");
}

TEST_F(RomScan, MamePathWithADriveIsJoinedToTheRomDirectoryWithNothingBetween) {
  SetGames({"abc", "def"});
  const std::string here = std::filesystem::current_path().string();  // "C:\...": a drive path
  MamePath = here + "\\MAME";
  Touch("MAMEroms/abc.zip");
  Touch("MAME/roms/def.zip");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "10");
  // From another current directory, the same.
  std::filesystem::create_directory("elsewhere");
  std::filesystem::current_path("elsewhere");
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "10");
  std::filesystem::current_path(here);

  MamePath = here + "\\MAME\\";
  ScanRomAvailability();
  EXPECT_EQ(Flags(), "01");
}

}  // namespace
}  // namespace zeb
