// The cases checked by hand against the emulator's own -verifyroms (mame
// 0.251), with sets made to the CRC-32s of its list: each case here makes
// the same sets for the same machine records and expects what the emulator
// said (good, best available, bad, not found; "romset pong is best
// available" for a machine without files is our "none needed").

#include <algorithm>
#include <filesystem>
#include <functional>

#include "audit/audit_fixture.h"
#include "audit/real_machines.h"

namespace zeb::testing_support {
namespace {

using S = AuditStatus;

class RealMachinesAudit : public AuditTest {
 public:
  RealMachinesAudit() : AuditTest(RealMachines()) {}

  struct Case {
    const char* What;
    std::function<void(RealMachinesAudit&)> Make;
    const char* Judged;
    AuditStatus Expected;
    const char* Reason = "";  // a part of the reason
  };

  void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.What);
      FreshDirectory();
      c.Make(*this);
      MachineVerdict verdict = Judge(c.Judged);
      EXPECT_EQ(verdict.Status, c.Expected) << Describe(verdict);
      EXPECT_NE(verdict.Reason.find(c.Reason), std::string::npos) << Describe(verdict);
      EXPECT_EQ(verdict.Reason.empty(), verdict.Available()) << Describe(verdict);
    }
  }

  std::vector<SetFile> Without(const std::string& name, std::vector<std::string> left) {
    std::vector<SetFile> files;
    for (SetFile& file : FilesFor(Machine(name).Roms)) {
      if (std::find(left.begin(), left.end(), file.Name) == left.end()) files.push_back(std::move(file));
    }
    return files;
  }
  void GalagaWithDevices(const std::string& directory) {
    ZipAll("galaga", directory);
    ZipAll("namco51", directory);
    ZipAll("namco54", directory);
  }
};

TEST_F(RealMachinesAudit, ParentCloneAndDevices) {
  Check({
      {"galaga and its two device sets", [](auto& t) { t.GalagaWithDevices(t.Roms()); }, "galaga", S::Good},
      {"galaga without the namco51 set",
       [](auto& t) {
         t.ZipAll("galaga", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Bad, "galaga: needs the device set namco51"},
      {"galaga.zip holding the devices' ROMs",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("galaga").Roms);
         for (const char* device : {"namco51", "namco54"}) files.push_back(FileFor(t.Machine(device).Roms[0]));
         WriteZipSet(t.Roms(), "galaga", files);
       },
       "galaga", S::Good},
      {"only the device sets", [](auto& t) { t.ZipAll("namco51", t.Roms()), t.ZipAll("namco54", t.Roms()); },
       "galaga", S::NotFound, "galaga: set galaga not found"},
      {"galagao's own files and its parent",
       [](auto& t) {
         t.GalagaWithDevices(t.Roms());
         t.ZipOwn("galagao", t.Roms());
       },
       "galagao", S::Good},
      {"the parent only", [](auto& t) { t.GalagaWithDevices(t.Roms()); }, "galagao", S::NotFound,
       "galagao: set galagao not found"},
      {"one own file missing",
       [](auto& t) {
         t.GalagaWithDevices(t.Roms());
         std::vector<SetFile> files = FilesFor(t.OwnRoms("galagao"));
         files.erase(files.begin() + (&Named(files, "gg1-7.2c") - files.data()));
         WriteZipSet(t.Roms(), "galagao", files);
       },
       "galagao", S::Bad, "galagao: 1 of 16 ROM files missing (gg1-7.2c)"},
      {"one own file of another CRC",
       [](auto& t) {
         t.GalagaWithDevices(t.Roms());
         std::vector<SetFile> files = FilesFor(t.OwnRoms("galagao"));
         Named(files, "gg1-7.2c").Contents = std::string(4096, '\0');
         WriteZipSet(t.Roms(), "galagao", files);
       },
       "galagao", S::Bad, "galagao: 1 of 16 ROM files incorrect (gg1-7.2c)"},
      {"one own file of the CRC at another size",
       [](auto& t) {
         t.GalagaWithDevices(t.Roms());
         std::vector<SetFile> files = FilesFor(t.OwnRoms("galagao"));
         Named(files, "gg1-7.2c") = ForgedFile("gg1-7.2c", 2048, 0x8995088d);
         WriteZipSet(t.Roms(), "galagao", files);
       },
       "galagao", S::Bad, "incorrect (gg1-7.2c)"},
      {"a file under another name, and a wrong one under its own",
       [](auto& t) {
         t.GalagaWithDevices(t.Roms());
         std::vector<SetFile> files = FilesFor(t.OwnRoms("galagao"));
         Named(files, "gg1-7.2c").Name = "xgg1-7.2c";
         files.push_back({"gg1-7.2c", std::string(4096, '\0')});
         WriteZipSet(t.Roms(), "galagao", files);
       },
       "galagao", S::Good},
      {"the clone's files in the parent's archive",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("galaga").Roms);
         for (SetFile& file : FilesFor(t.OwnRoms("galagao"))) files.push_back(std::move(file));
         WriteZipSet(t.Roms(), "galaga", files);
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galagao", S::Good},
      {"the clone's set holding only shared files, and the devices",
       [](auto& t) {
         std::vector<SetFile> shared;
         for (const RomFile& rom : t.Machine("galagao").Roms) {
           if (!rom.Merge.empty()) shared.push_back(FileFor(rom));
         }
         WriteZipSet(t.Roms(), "galagao", shared);
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galagao", S::NotFound},
  });
}

TEST_F(RealMachinesAudit, BiosChain) {
  auto all = [](auto& t) {
    t.ZipOwn("v4eyedwnd", t.Roms());
    t.ZipOwn("v4eyedwn", t.Roms());
    t.ZipAll("v4bios", t.Roms());
  };
  Check({
      {"clone, parent and BIOS (a nodump short)", all, "v4eyedwnd", S::BestAvailable},
      {"the BIOS absent",
       [](auto& t) {
         t.ZipOwn("v4eyedwnd", t.Roms());
         t.ZipOwn("v4eyedwn", t.Roms());
       },
       "v4eyedwnd", S::Bad, "v4eyedwnd: needs its BIOS v4bios"},
      {"the BIOS in the second directory",
       [](auto& t) {
         t.ZipOwn("v4eyedwnd", t.Roms());
         t.ZipOwn("v4eyedwn", t.Roms());
         t.ZipAll("v4bios", t.Roms2());
       },
       "v4eyedwnd", S::BestAvailable},
      {"parent and BIOS in the second directory",
       [](auto& t) {
         t.ZipOwn("v4eyedwnd", t.Roms());
         t.ZipOwn("v4eyedwn", t.Roms2());
         t.ZipAll("v4bios", t.Roms2());
       },
       "v4eyedwnd", S::BestAvailable},
      {"parent and BIOS only",
       [](auto& t) {
         t.ZipOwn("v4eyedwn", t.Roms());
         t.ZipAll("v4bios", t.Roms());
       },
       "v4eyedwnd", S::NotFound, "set v4eyedwnd not found"},
      {"the clone's set only", [](auto& t) { t.ZipOwn("v4eyedwnd", t.Roms()); }, "v4eyedwnd", S::Bad,
       "v4eyedwnd: needs its parent's set v4eyedwn and its BIOS v4bios"},
  });
}

TEST_F(RealMachinesAudit, DumpsAndDevicesOnly) {
  Check({
      {"pong needs nothing", [](auto&) {}, "pong", S::NoneNeeded},
      {"only a nodump, no set", [](auto&) {}, "4d30", S::BestAvailable},
      {"no set, a nodump among the files", [](auto&) {}, "adm23", S::NotFound},
      {"all but the nodump",
       [](auto& t) {
         t.ZipAll("adm23", t.Roms());
         t.ZipAll("z8682", t.Roms());
       },
       "adm23", S::BestAvailable},
      {"a nodump's name with any contents",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("adm23").Roms);
         files.push_back({"129253-61_u3.bin", std::string(32, 'x')});
         WriteZipSet(t.Roms(), "adm23", files);
         t.ZipAll("z8682", t.Roms());
       },
       "adm23", S::BestAvailable},
      {"a baddump of its CRC",
       [](auto& t) {
         t.ZipAll("3lilpigs", t.Roms());
         t.ZipAll("hd44780_a00", t.Roms());
       },
       "3lilpigs", S::BestAvailable},
      {"a baddump of another CRC",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("3lilpigs").Roms);
         Named(files, "3-pigs.u6").Contents = std::string(65536, '\0');
         WriteZipSet(t.Roms(), "3lilpigs", files);
         t.ZipAll("hd44780_a00", t.Roms());
       },
       "3lilpigs", S::Bad, "1 of 3 ROM files incorrect (3-pigs.u6)"},
      {"a baddump missing",
       [](auto& t) {
         WriteZipSet(t.Roms(), "3lilpigs", t.Without("3lilpigs", {"3-pigs.u6"}));
         t.ZipAll("hd44780_a00", t.Roms());
       },
       "3lilpigs", S::Bad, "1 of 3 ROM files missing (3-pigs.u6)"},
      {"a clone of merged files only, all in its own set", [](auto& t) { t.ZipAll("32xe", t.Roms()); }, "32xe",
       S::BestAvailable},
      {"one of them in its own set",
       [](auto& t) { WriteZipSet(t.Roms(), "32xe", {FileFor(t.Machine("32xe").Roms[0])}); }, "32xe", S::Bad,
       "32xe: needs its parent's set 32x"},
      {"none of them", [](auto&) {}, "32xe", S::NotFound, "32xe: needs its parent's set 32x"},
      {"a ROM only through a device, nothing there", [](auto&) {}, "705p5prg", S::NotFound},
      {"the device's set", [](auto& t) { t.ZipAll("m68705p5", t.Roms()); }, "705p5prg", S::Good},
      {"the device's ROM in the machine's set",
       [](auto& t) { WriteZipSet(t.Roms(), "705p5prg", FilesFor(t.Machine("m68705p5").Roms)); }, "705p5prg",
       S::Good},
      {"one of a device's six files",
       [](auto& t) {
         WriteZipSet(t.Roms(), "exorterm155_device", {FileFor(t.Machine("exorterm155_device").Roms[0])});
       },
       "exorterm155", S::Bad, "5 of 6 ROM files missing"},
      {"a clone of merged files with only its device's set", [](auto& t) { t.ZipAll("a1000kbd_us", t.Roms()); },
       "a1000n", S::NotFound, "needs its parent's set a1000"},
      {"merged files in the clone's set, its optional ones missing",
       [](auto& t) {
         WriteZipSet(t.Roms(), "990189v", t.Without("990189v", {"demo1000.u13", "demo1800.u11"}));
       },
       "990189v", S::BestAvailable},
      {"the parent's set only, the clone's optional ones missing", [](auto& t) { t.ZipAll("990189", t.Roms()); },
       "990189v", S::BestAvailable},
      {"a clone without files of its own, its device's set", [](auto& t) { t.ZipAll("m68705p3", t.Roms()); },
       "705p3prg", S::Good},
      {"a nodump and a device's (one dumped), nothing there", [](auto&) {}, "nshrz", S::NotFound},
      {"the parent's set only, whose files of the clone's names hold the parent's ROMs",
       [](auto& t) { t.ZipAll("galaxia", t.Roms()); }, "galaxiaa", S::NotFound, "set galaxiaa not found"},
      {"a device judged alone by its own files (a nodump)", [](auto&) {}, "pc9801_118", S::BestAvailable},
  });
}

TEST_F(RealMachinesAudit, KindsOfSets) {
  Check({
      {"a folder of loose files",
       [](auto& t) {
         WriteFolderSet(t.Roms(), "galaga", FilesFor(t.Machine("galaga").Roms));
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Good},
      {"a set split over two directories",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("galaga").Roms);
         WriteZipSet(t.Roms(), "galaga", {files.begin(), files.begin() + 7});
         WriteZipSet(t.Roms2(), "galaga", {files.begin() + 7, files.end()});
         t.ZipAll("namco51", t.Roms());
         WriteFolderSet(t.Roms(), "namco54", FilesFor(t.Machine("namco54").Roms));
       },
       "galaga", S::Good},
      {"half a folder and half a zip in one directory",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("galaga").Roms);
         WriteFolderSet(t.Roms(), "galaga", {files.begin(), files.begin() + 7});
         WriteZipSet(t.Roms(), "galaga", {files.begin() + 7, files.end()});
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Good},
      {"a loose file under another name (loose files go by name)",
       [](auto& t) {
         std::vector<SetFile> files = FilesFor(t.Machine("galaga").Roms);
         Named(files, "gg1_9.4l").Name = "xgg1_9.4l";
         WriteFolderSet(t.Roms(), "galaga", files);
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Bad, "galaga: 1 of 16 ROM files missing (gg1_9.4l)"},
      {"a damaged clone archive beside the parent's folder",
       [](auto& t) {
         WriteFolderSet(t.Roms(), "galaga", FilesFor(t.Machine("galaga").Roms));
         WriteWholeFile(t.Roms() + "/galagao.zip", "PK\x03\x04garbage");
       },
       "galagao", S::NotFound, "galagao: galagao.zip is not a readable zip"},
      {"a folder beside a damaged archive of the same set",
       [](auto& t) {
         WriteFolderSet(t.Roms(), "galaga", FilesFor(t.Machine("galaga").Roms));
         WriteWholeFile(t.Roms() + "/galaga.zip", std::string(3000, '\x5a'));
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Good},
      // The emulator reads a .7z's contents (three wrong files in one made it
      // say bad); the audit counts a .7z as holding every file.
      {"a .7z archive",
       [](auto& t) {
         WriteWholeFile(t.Roms() + "/galaga.7z", "7z\xbc\xaf\x27\x1c");
         t.ZipAll("namco51", t.Roms());
         t.ZipAll("namco54", t.Roms());
       },
       "galaga", S::Good},
  });
}

TEST_F(RealMachinesAudit, Disks) {
  const std::string sha1 = "d4473a7fb9820f2e517a1e0609ec9e12f326fc06";
  const std::string disk = "/bhead2k/beachhead2000_5-27-2003.chd";
  auto chd = [&](int version, std::string sum) {
    return [=](auto& t) { WriteWholeFile(t.Roms() + disk, ChdBytes(version, sum)); };
  };
  Check({
      {"version 5 with its SHA-1", chd(5, sha1), "bhead2k", S::Good},
      {"version 4 with its SHA-1", chd(4, sha1), "bhead2k", S::Good},
      {"version 3 with its SHA-1", chd(3, sha1), "bhead2k", S::Good},
      {"another SHA-1", chd(5, "0a357f14d6549736082ffc1a11e36a7070755258"), "bhead2k", S::Bad,
       "bhead2k: disk beachhead2000_5-27-2003 has another SHA-1"},
      {"no disk, an empty folder", [](auto& t) { std::filesystem::create_directories(t.Roms() + "/bhead2k"); },
       "bhead2k", S::NotFound},
      {"not a CHD file",
       [&](auto& t) { WriteWholeFile(t.Roms() + disk, std::string(160, 'x')); }, "bhead2k", S::NotFound,
       "is not a readable CHD"},
  });
}

}  // namespace
}  // namespace zeb::testing_support
