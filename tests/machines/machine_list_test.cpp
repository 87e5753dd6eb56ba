// The machine list reader: the records it makes of the emulator's XML list,
// from hand-written pieces and from the stand-in's whole list, and the
// faults that stop it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/processes.h"
#include "machines/machine_list.h"
#include "storage/crc32.h"
#include "support/environment.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

// The machines of a list read in chunks of `chunk` bytes, and whether it
// was read whole.
struct ReadList {
  std::vector<MachineInfo> Machines;
  std::string Build;
  bool Read = false;
  std::string Error;
};

ReadList Read(const std::string& list, std::size_t chunk = 7) {
  ReadList result;
  MachineListReader reader([&](MachineInfo& machine) { result.Machines.push_back(std::move(machine)); });
  bool read = true;
  for (std::size_t at = 0; read && at < list.size(); at += chunk) read = reader.Feed(std::string_view(list).substr(at, chunk));
  result.Read = read && reader.Finish();
  result.Build = reader.Build();
  if (!result.Read) result.Error = reader.ErrorText();
  EXPECT_EQ(reader.MachinesRead(), static_cast<int64_t>(result.Machines.size()));
  return result;
}

std::string List(const std::string& machines) {
  return "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n" + machines +
         "</mame>\n";
}

TEST(MachineList, ReadsAMachineAsTheEmulatorWritesIt) {
  const ReadList list = Read(List(R"(	<machine name="pacman" sourcefile="pacman/pacman.cpp" cloneof="puckman" romof="puckman">
		<description>Pac-Man (Midway) &amp; friends</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<biosset name="x" description="ignored"/>
		<rom name="pacman.6e" size="4096" crc="C1E6AB10" sha1="e87e059c5be45753f7e9f33dff851f16d6751181" region="maincpu" offset="0"/>
		<rom name="82s123.7f" merge="pm1-1.7f" size="32" crc="2fc650bd" region="proms" offset="0" optional="yes"/>
		<rom name="pal.bin" size="260" status="nodump" region="plds"/>
		<rom name="bad.bin" size="0" crc="00000000" status="baddump"/>
		<disk name="pacdisk" sha1="978B0728287E9BAD50AA94447F259825AB43C99D" merge="parent" region="ide" status="baddump" optional="yes"/>
		<device_ref name="z80"/>
		<device_ref name="namco"/>
		<chip type="cpu" tag="maincpu" name="Zilog Z80" clock="3072000"/>
		<display tag="screen" type="raster" rotate="90" width="288" height="224" refresh="60.606061" />
		<display tag="second" type="raster" rotate="180" refresh="60" />
		<sound channels="1"/>
		<input players="2" coins="2">
			<control type="joy" player="1" ways="4"/>
		</input>
		<dipswitch name="Coinage" tag="DSW1" mask="3">
			<dipvalue name="Free Play" value="0"><description>not a description</description></dipvalue>
		</dipswitch>
		<driver status="imperfect" emulation="good" savestate="supported"/>
		<feature type="sound" status="imperfect"/>
	</machine>
)"));
  ASSERT_TRUE(list.Read) << list.Error;
  EXPECT_EQ(list.Build, "0.251 (unknown)");
  ASSERT_EQ(list.Machines.size(), 1u);
  const MachineInfo& pacman = list.Machines[0];
  EXPECT_EQ(pacman.Name, "pacman");
  EXPECT_EQ(pacman.Description, "Pac-Man (Midway) & friends");
  const MachineSummary& summary = pacman.Summary;
  EXPECT_EQ(summary.Year, "1980");
  EXPECT_EQ(summary.Manufacturer, "Namco (Midway license)");
  EXPECT_EQ(pacman.CloneOf, "puckman");
  EXPECT_EQ(pacman.RomOf, "puckman");
  EXPECT_EQ(summary.Status, DriverStatus::Imperfect);
  EXPECT_EQ(summary.Players, 2);
  EXPECT_EQ(summary.Rotate, 90);  // the first display's
  EXPECT_FALSE(summary.IsDevice || summary.IsBios || summary.IsMechanical);
  EXPECT_TRUE(summary.Runnable);
  EXPECT_EQ(pacman.Roms, (std::vector<RomFile>{
                             {"pacman.6e", 4096, 0xC1E6AB10, true, "", DumpStatus::Good, false},
                             {"82s123.7f", 32, 0x2FC650BD, true, "pm1-1.7f", DumpStatus::Good, true},
                             {"pal.bin", 260, 0, false, "", DumpStatus::NoDump, false},
                             {"bad.bin", 0, 0, true, "", DumpStatus::BadDump, false},
                         }));
  EXPECT_EQ(pacman.Disks, (std::vector<DiskFile>{{"pacdisk", "978b0728287e9bad50aa94447f259825ab43c99d", "parent",
                                                  DumpStatus::BadDump, true}}));
  EXPECT_EQ(pacman.DeviceRefs, (std::vector<std::string>{"z80", "namco"}));
}

TEST(MachineList, KindsOfMachineTheirDefaultsAndTheirTextsInCodePage437) {
  const ReadList list = Read(List(R"(<machine name="z80" isdevice="yes" runnable="no"><description>Zilog Z80</description></machine>
<machine name="neogeo" isbios="yes"><description>Neo-Geo</description><year>199?</year><display type="raster"/><display rotate="270"/></machine>
<machine name="pinball" ismechanical="yes" runnable="perhaps"><description>Flipper</description><driver status="protection"/><input players="0"/></machine>
<game name="old"><description>Soci&#xE9;t&#233; &#x3B2; &#x4E2D;</description><manufacturer>Caf&#xE9;</manufacturer></game>
<notamachine name="skipped"><description>x</description></notamachine>
)"));
  ASSERT_TRUE(list.Read) << list.Error;
  ASSERT_EQ(list.Machines.size(), 4u);
  const MachineSummary& device = list.Machines[0].Summary;
  EXPECT_TRUE(device.IsDevice);
  EXPECT_FALSE(device.Runnable);
  EXPECT_EQ(device.Status, DriverStatus::Unknown);
  EXPECT_EQ(device.Players, 0);
  EXPECT_EQ(device.Year, "");
  const MachineSummary& bios = list.Machines[1].Summary;
  EXPECT_TRUE(bios.IsBios);
  EXPECT_EQ(bios.Year, "199?");
  EXPECT_EQ(bios.Rotate, 270);  // the first display that gives one
  const MachineSummary& pinball = list.Machines[2].Summary;
  EXPECT_TRUE(pinball.IsMechanical);
  EXPECT_TRUE(pinball.Runnable);  // only "no" makes it not
  EXPECT_EQ(pinball.Status, DriverStatus::Unknown);
  // UTF-8 in code page 437: e acute is 0x82, beta the sharp s 0xE1, what
  // the code page lacks a "?".
  EXPECT_EQ(list.Machines[3].Name, "old");
  EXPECT_EQ(list.Machines[3].Description, "Soci\x82t\x82 \xE1 ?");
  EXPECT_EQ(list.Machines[3].Summary.Manufacturer, "Caf\x82");
}

TEST(MachineList, HandsEachMachineOverAsItEnds) {
  const std::string list = List("<machine name=\"a\"><description>A</description></machine>\n"
                                "<machine name=\"b\"><description>B</description></machine>\n");
  std::vector<std::string> taken;
  MachineListReader reader([&](MachineInfo& machine) { taken.push_back(machine.Name); });
  const std::size_t firstEnd = list.find("</machine>") + 10;
  ASSERT_TRUE(reader.Feed(std::string_view(list).substr(0, firstEnd - 1)));
  EXPECT_TRUE(taken.empty());
  EXPECT_TRUE(reader.RootRead());
  EXPECT_EQ(reader.Build(), "0.251 (unknown)");
  ASSERT_TRUE(reader.Feed(std::string_view(list).substr(firstEnd - 1, 1)));
  EXPECT_EQ(taken, (std::vector<std::string>{"a"}));
  EXPECT_EQ(reader.MachinesRead(), 1);
  ASSERT_TRUE(reader.Feed(std::string_view(list).substr(firstEnd)));
  EXPECT_TRUE(reader.Finish());
  EXPECT_EQ(taken, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(reader.BytesRead(), list.size());
}

struct Faulty {
  std::string Machines;
  std::string Fault;
};

TEST(MachineList, StopsAtWhatTheAuditCouldNotTrust) {
  const std::vector<Faulty> faults = {
      {"<machine><description>x</description></machine>", "a machine without a name"},
      {"<machine name=\"m\"><rom size=\"1\"/></machine>", "machine m: a ROM without a name"},
      {"<machine name=\"m\"><rom name=\"r\"/></machine>", "machine m: the ROM r has no size"},
      {"<machine name=\"m\"><rom name=\"r\" size=\"12x\"/></machine>",
       "machine m: the ROM r has the size \"12x\", no number"},
      {"<machine name=\"m\"><rom name=\"r\" size=\"4294967296\"/></machine>",
       "machine m: the ROM r has the size \"4294967296\", no number"},
      {"<machine name=\"m\"><rom name=\"r\" size=\"-1\"/></machine>", "machine m: the ROM r has the size \"-1\", no number"},
      {"<machine name=\"m\"><rom name=\"r\" size=\"1\" crc=\"abc\"/></machine>",
       "machine m: the ROM r has the CRC \"abc\", not 8 hex digits"},
      {"<machine name=\"m\"><rom name=\"r\" size=\"1\" crc=\"0000000g\"/></machine>",
       "machine m: the ROM r has the CRC \"0000000g\", not 8 hex digits"},
      {"<machine name=\"m\"><disk name=\"d\" sha1=\"abc\"/></machine>",
       "machine m: a disk has the SHA-1 \"abc\", not 40 hex digits"},
      {"<machine name=\"m\"><disk sha1=\"978b0728287e9bad50aa94447f259825ab43c99d\"/></machine>",
       "machine m: a disk without a name"},
      {"<machine name=\"m\"><device_ref/></machine>", "machine m: a device reference without a name"},
      {"<machine name=\"m\"><input players=\"two\"/></machine>", "machine m: the player count \"two\" is no number"},
      {"<machine name=\"m\"><display rotate=\"45\"/></machine>",
       "machine m: the display's rotation \"45\" is not 0, 90, 180 or 270"},
      {"<machine name=\"m\"><description>x</description>", "</mame> where </machine> was expected"},
  };
  for (const Faulty& faulty : faults) {
    SCOPED_TRACE(faulty.Machines);
    const ReadList list = Read(List(faulty.Machines));
    EXPECT_FALSE(list.Read);
    EXPECT_NE(list.Error.find(faulty.Fault), std::string::npos) << list.Error;
    EXPECT_TRUE(list.Machines.empty());
  }
  const ReadList foreign = Read("<?xml version=\"1.0\"?><datafile><game name=\"x\"/></datafile>");
  EXPECT_FALSE(foreign.Read);
  EXPECT_EQ(foreign.Error, "line 1, column 22 (byte 21): the list's root is <datafile>, not the emulator's <mame>");
  // The place is that of the element at fault.
  const ReadList placed = Read(List("<machine name=\"m\">\n  <rom name=\"r\" size=\"x\"/></machine>"));
  EXPECT_EQ(placed.Error.rfind("line 4, column 3 (byte ", 0), 0u) << placed.Error;
}

// The stand-in's ROM rule: the content name repeated, cut to the size.
uint32_t RuleCrc(const std::string& contentName, uint32_t size) {
  std::string bytes;
  while (bytes.size() < size) bytes += contentName;
  bytes.resize(size);
  return Crc32(bytes);
}

TEST(MachineList, TheStandInsWholeList) {
  testing_support::TempDir dir;
  testing_support::ScopedEnvironment modern("XEM_MODERN", "1");
  testing_support::ScopedEnvironment generated("XEM_MACHINES", "100");
  CapturedRun run = RunIntoFile(ResolveProgram(ZEB_STANDIN, false), {"mame", "-listxml"}, "list.xml");
  ASSERT_EQ(run.ExitStatus, 0) << run.ErrorText;
  const ReadList list = Read(testing_support::ReadBytes("list.xml"), 4096);
  ASSERT_TRUE(list.Read) << list.Error;
  EXPECT_EQ(list.Build, "0.251 (unknown)");
  // 63 games, the BIOS, 103 generated machines, then the two devices.
  ASSERT_EQ(list.Machines.size(), 63u + 1 + 103 + 2);
  EXPECT_EQ(list.Machines[list.Machines.size() - 2].Name, "xemcpu");
  EXPECT_EQ(list.Machines.back().Name, "xemsound");
  auto machine = [&](const std::string& name) -> const MachineInfo& {
    for (const MachineInfo& one : list.Machines) {
      if (one.Name == name) return one;
    }
    static const MachineInfo none;
    ADD_FAILURE() << "no machine " << name;
    return none;
  };
  const MachineInfo& astrobej = machine("astrobej");
  EXPECT_EQ(astrobej.Description, "Astro Bee (Japan)");
  EXPECT_EQ(astrobej.CloneOf, "astrobee");
  EXPECT_EQ(astrobej.RomOf, "astrobee");
  EXPECT_EQ(astrobej.Summary.Rotate, 90);
  EXPECT_EQ(astrobej.Roms, (std::vector<RomFile>{
                               {"astrobej.p1", 2048, RuleCrc("astrobej.p1", 2048), true, "", DumpStatus::Good, false},
                               {"astrobej.g1", 1024, RuleCrc("astrobee.g1", 1024), true, "astrobee.g1",
                                DumpStatus::Good, false},
                           }));
  EXPECT_EQ(astrobej.DeviceRefs, (std::vector<std::string>{"xemcpu", "xemsound"}));
  EXPECT_EQ(machine("astrobee").Roms[1].Crc, astrobej.Roms[1].Crc);

  const MachineInfo& cpu = machine("xemcpu");
  EXPECT_TRUE(cpu.Summary.IsDevice);
  EXPECT_FALSE(cpu.Summary.Runnable);
  EXPECT_EQ(cpu.Roms, (std::vector<RomFile>{{"xemcpu.bin", 256, RuleCrc("xemcpu.bin", 256), true, "",
                                             DumpStatus::Good, false}}));
  EXPECT_TRUE(machine("xemsound").Roms.empty());
  const MachineInfo& bios = machine("xembios");
  EXPECT_TRUE(bios.Summary.IsBios);
  EXPECT_EQ(bios.Summary.Year, "199?");
  const MachineInfo& quasarq2 = machine("quasarq2");
  EXPECT_EQ(machine("quasarq").RomOf, "xembios");
  EXPECT_EQ(quasarq2.RomOf, "quasarq");
  ASSERT_EQ(quasarq2.Roms.size(), 3u);
  EXPECT_EQ(quasarq2.Roms[2], (RomFile{"xembios.bin", 512, RuleCrc("xembios.bin", 512), true, "xembios.bin",
                                       DumpStatus::Good, false}));
  EXPECT_TRUE(machine("dizzyowl").Roms.empty());
  EXPECT_EQ(machine("moonmopb").Roms.back(), (RomFile{"moonmopb.pal", 260, 0, false, "", DumpStatus::NoDump, false}));
  EXPECT_EQ(machine("moonmopb").Summary.Status, DriverStatus::Imperfect);
  EXPECT_EQ(machine("glimmerb").Roms[0].Status, DumpStatus::BadDump);
  EXPECT_TRUE(machine("blipblop").Roms.back().Optional);
  EXPECT_EQ(machine("blipblop").Description, "Blip & Blop");
  EXPECT_EQ(machine("drzap").Description, "Dr. \"Zap\" Zoomer");
  EXPECT_EQ(machine("tundrtrk").Disks,
            (std::vector<DiskFile>{{"tundrtrk", "978b0728287e9bad50aa94447f259825ab43c99d", "", DumpStatus::Good, false}}));
  EXPECT_TRUE(machine("crankit").Summary.IsMechanical);
  EXPECT_EQ(machine("kelpking").Summary.Manufacturer, "Soci\x82t\x82 des Algues");
  EXPECT_EQ(machine("lumberjv").Summary.Year, "198?");
  EXPECT_EQ(machine("xylofone").Summary.Status, DriverStatus::Preliminary);
  EXPECT_EQ(machine("zigzagzb").Summary.Status, DriverStatus::Good);
  EXPECT_EQ(machine("snailrlj").Summary.Players, 4);
  EXPECT_EQ(machine("rocketrb").Summary.Rotate, 270);
  const MachineInfo& made = machine("qbababa");
  EXPECT_EQ(made.Roms, (std::vector<RomFile>{{"qbababa.bin", 128, RuleCrc("qbababa.bin", 128), true, "",
                                                   DumpStatus::Good, false}}));
}

}  // namespace
}  // namespace zeb
