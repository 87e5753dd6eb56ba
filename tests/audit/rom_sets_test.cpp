// The ROM directories of the settings and the sets in them: what forms a
// set takes, how a file is looked for in each, and that an audit lists and
// reads everything once.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audit/audit_fixture.h"
#include "storage/directory_list.h"

namespace zeb::testing_support {
namespace {

TEST(RomDirectories, FollowTheRulesOfTheRomPaths) {
  Settings settings;
  settings.MamePath = "C:\\mame\\";
  struct Case {
    const char* RomPaths;
    std::vector<std::string> Directories;
  };
  const Case cases[] = {
      {"roms", {"C:\\mame\\roms"}},
      {"", {"C:\\mame\\"}},
      {"roms;;D:\\more;/abs;\\top;", {"C:\\mame\\roms", "D:\\more", "/abs", "\\top"}},
      {";", {}},
  };
  for (const Case& c : cases) {
    settings.RomPaths = c.RomPaths;
    EXPECT_EQ(RomDirectories(settings), c.Directories) << c.RomPaths;
  }
}

class RomSetsTest : public AuditTest {
 public:
  RomSets Sets() { return RomSets(RomDirectories(settings_)); }
};

TEST_F(RomSetsTest, EachFormOfASetAndHowItsFilesAreFound) {
  const RomFile rom = R("gg1_1b.3p", 4096, 0xab036c9f);
  const RomFile other = R("other.rom", 16, 0x12345678);
  WriteZipSet(Roms(), "zipped", {ForgedFile("renamed.bin", 4096, 0xab036c9f), {"other.rom", "wrong size"}});
  WriteFolderSet(Roms(), "loose", {FileFor(rom), {"other.rom", std::string(16, 'x')}});
  WriteWholeFile(Roms2() + "/packed.7z", "7z");
  WriteWholeFile(Roms2() + "/damaged.zip", "PK\x05\x06");
  WriteWholeFile(Roms2() + "/notes.txt", "not a set");
  RomSets sets = Sets();

  EXPECT_EQ(sets.LookForRom("zipped", rom), FileLook::Found);  // by CRC-32, whatever the name
  EXPECT_EQ(sets.LookForRom("zipped", other), FileLook::Incorrect);
  EXPECT_EQ(sets.LookForRom("loose", rom), FileLook::Found);
  EXPECT_EQ(sets.LookForRom("loose", other), FileLook::Incorrect);  // its CRC-32 computed
  EXPECT_EQ(sets.LookForRom("loose", R("renamed.bin", 4096, 0xab036c9f)), FileLook::Absent);
  EXPECT_EQ(sets.LookForRom("packed", other), FileLook::Found);
  EXPECT_EQ(sets.LookForRom("damaged", rom), FileLook::Absent);
  for (const char* set : {"zipped", "loose", "packed"}) EXPECT_TRUE(sets.Present(set)) << set;
  for (const char* set : {"damaged", "notes", "none"}) EXPECT_FALSE(sets.Present(set)) << set;
  EXPECT_EQ(sets.UnreadableZip("damaged"), "damaged.zip");
  EXPECT_EQ(sets.UnreadableZip("zipped"), "");

  RomFile noCrc = R("other.rom", 16, NoDump);
  noCrc.Status = DumpStatus::BadDump;
  EXPECT_EQ(sets.LookForRom("loose", noCrc), FileLook::Found);  // by name and size
  noCrc.Size = 17;
  EXPECT_EQ(sets.LookForRom("loose", noCrc), FileLook::Incorrect);
}

TEST_F(RomSetsTest, NamesCompareAsTheFileSystemComparesThem) {
  const RomFile rom = R("gg1_1b.3p", 4096, 0xab036c9f);
  WriteZipSet(Roms(), "Galaga", {FileFor(rom)});
  WriteFolderSet(Roms(), "loose", {ForgedFile("GG1_1B.3P", 4096, 0xab036c9f)});
  WriteWholeFile(Roms() + "/upper.ZIP", ZipBytes({FileFor(rom)}));
  RomSets sets = Sets();
  EXPECT_EQ(sets.Present("galaga"), FileNamesIgnoreCase);
  EXPECT_EQ(sets.Present("upper"), FileNamesIgnoreCase);
  EXPECT_EQ(sets.LookForRom("loose", rom) == FileLook::Found, FileNamesIgnoreCase);
  EXPECT_TRUE(sets.Present("Galaga"));
}

TEST_F(RomSetsTest, AnAuditListsAndReadsEachThingOnce) {
  const RomFile rom = R("gg1_1b.3p", 4096, 0xab036c9f);
  WriteZipSet(Roms(), "zipped", {FileFor(rom)});
  WriteFolderSet(Roms(), "loose", {FileFor(rom)});
  WriteZipSet(Roms(), "later", {});
  RomSets sets = Sets();
  // A set made after the directories were listed is not seen; an archive
  // not looked into yet is read as it is when first needed.
  WriteZipSet(Roms(), "new", {FileFor(rom)});
  WriteZipSet(Roms(), "later", {FileFor(rom)});
  EXPECT_FALSE(sets.Present("new"));
  EXPECT_EQ(sets.LookForRom("later", rom), FileLook::Found);
  ASSERT_EQ(sets.LookForRom("zipped", rom), FileLook::Found);
  ASSERT_EQ(sets.LookForRom("loose", rom), FileLook::Found);
  // What was read is kept: the files' later contents are not read again.
  WriteZipSet(Roms(), "zipped", {});
  WriteWholeFile(Roms() + "/loose/gg1_1b.3p", std::string(4096, '\0'));
  EXPECT_EQ(sets.LookForRom("zipped", rom), FileLook::Found);
  EXPECT_EQ(sets.LookForRom("loose", rom), FileLook::Found);
  EXPECT_EQ(Sets().LookForRom("loose", rom), FileLook::Incorrect);
}

TEST_F(RomSetsTest, DisksAreLooseChdFilesOfTheirSha1) {
  const std::string sha1 = "d4473a7fb9820f2e517a1e0609ec9e12f326fc06";
  const DiskFile disk = Disk("hdd", sha1);
  WriteWholeFile(Roms() + "/good/hdd.chd", ChdBytes(4, sha1));
  WriteWholeFile(Roms() + "/other/hdd.chd", ChdBytes(5, "0a357f14d6549736082ffc1a11e36a7070755258"));
  WriteWholeFile(Roms() + "/junk/hdd.chd", "junk");
  WriteZipSet(Roms(), "zipped", {{"hdd.chd", ChdBytes(5, sha1)}});
  RomSets sets = Sets();
  struct Case {
    const char* Set;
    FileLook Look;
    const char* Problem;
  };
  const Case cases[] = {
      {"good", FileLook::Found, ""},
      {"other", FileLook::Incorrect, "has another SHA-1"},
      {"junk", FileLook::Absent, "is not a readable CHD (not a CHD file)"},
      {"zipped", FileLook::Absent, ""},
      {"none", FileLook::Absent, ""},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(sets.LookForDisk(c.Set, disk, problem), c.Look) << c.Set;
    EXPECT_EQ(problem, c.Problem) << c.Set;
  }
}

TEST(DirectoryList, EntriesWithKindAndSize) {
  TempDir dir(TempDir::Stay);
  WriteWholeFile(dir.File("a.zip"), "12345");
  std::filesystem::create_directories(dir.File("folder"));
  std::vector<DirectoryEntry> entries = ListDirectory(dir.Path() + "\\");
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "a.zip");
  EXPECT_FALSE(entries[0].IsDirectory);
  EXPECT_EQ(entries[0].Size, 5u);
  EXPECT_EQ(entries[1].Name, "folder");
  EXPECT_TRUE(entries[1].IsDirectory);
  EXPECT_TRUE(ListDirectory(dir.File("none")).empty());
}

}  // namespace
}  // namespace zeb::testing_support
