// The audit's rules on machines written for the purpose: what the list may
// hold that the real machines of the hand checks do not show (loops,
// machines it does not name, devices within devices), optional files and
// disks, the reasons' wording and length, and the whole audit's progress.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audit/audit_fixture.h"

namespace zeb::testing_support {
namespace {

using S = AuditStatus;

const RomFile A = R("a.rom", 64, 0x1111aaaa);
const RomFile B = R("b.rom", 64, 0x2222bbbb);
const RomFile C = R("c.rom", 32, 0x3333cccc);
const std::string Sha1 = "d4473a7fb9820f2e517a1e0609ec9e12f326fc06";

class AuditRules : public AuditTest {
 public:
  void Expect(const std::string& name, AuditStatus status, const std::string& reason = "") {
    MachineVerdict verdict = Judge(name);
    EXPECT_EQ(verdict.Status, status) << name << ": " << Describe(verdict);
    EXPECT_EQ(verdict.Reason, reason) << name;
  }
};

TEST_F(AuditRules, RomParentLoopsAndMachinesTheListLacks) {
  UseMachines({{"one", Kind::Game, "two", "", {A, R("b.rom", 64, 0x2222bbbb, Merge{"b.rom"})}, {}},
               {"two", Kind::Game, "one", "", {B}, {}},
               {"self", Kind::Game, "self", "", {A}, {}},
               {"orphan", Kind::Game, "ghost", "ghost", {A, R("b.rom", 64, 0x2222bbbb, Merge{"b.rom"})}, {}}});
  WriteZipSet(Roms(), "one", {FileFor(A)});
  Expect("one", S::Bad, "one: needs its parent's set two");
  WriteZipSet(Roms(), "two", {FileFor(B)});
  Expect("one", S::Good);
  Expect("two", S::Good);  // its own file; one's are not its
  WriteZipSet(Roms(), "self", {FileFor(A)});
  Expect("self", S::Good);
  // A ROM parent the list does not name is still a set to look in.
  WriteZipSet(Roms(), "orphan", {FileFor(A)});
  Expect("orphan", S::Bad, "orphan: 1 of 2 ROM files missing (b.rom)");
  WriteZipSet(Roms2(), "ghost", {FileFor(B)});
  Expect("orphan", S::Good);
  Expect("nothing", S::NotFound, "nothing: not in the emulator's list");
}

TEST_F(AuditRules, DevicesWithinDevicesEachOnce) {
  UseMachines({{"game", Kind::Game, "", "", {A}, {"outer", "outer", "plain", "absent"}},
               {"outer", Kind::Device, "", "", {}, {"inner", "game"}},
               {"inner", Kind::Device, "", "", {C}, {"outer", "inner"}},
               {"plain", Kind::Device, "", "", {}, {}}});
  WriteZipSet(Roms(), "game", {FileFor(A)});
  Expect("game", S::Bad, "game: needs the device set inner");
  WriteZipSet(Roms(), "game", {FileFor(A), FileFor(C)});  // a device's file in the machine's set
  Expect("game", S::Good);
  WriteZipSet(Roms(), "game", {FileFor(A), {"c.rom", "wrong"}});
  Expect("game", S::Bad, "game: 1 of 2 ROM files incorrect (c.rom)");
  WriteZipSet(Roms2(), "inner", {FileFor(C)});  // the device's own set first
  Expect("game", S::Good);
}

TEST_F(AuditRules, OptionalFilesAndDisks) {
  UseMachines({{"opt", Kind::Game, "", "", {A, R("o.rom", 16, 0x44440000, Optional)}, {}},
               {"hdd", Kind::Game, "", "", {A}, {}, {Disk("hdd", Sha1)}},
               {"hddclone", Kind::Game, "hdd", "hdd", {B}, {}, {Disk("hdd", Sha1, "hdd")}},
               {"nodisk", Kind::Game, "", "", {}, {}, {Disk("never", ""), Disk("extra", Sha1, "", true)}}});
  WriteZipSet(Roms(), "opt", {FileFor(A)});
  Expect("opt", S::BestAvailable);
  WriteZipSet(Roms(), "opt", {FileFor(A), {"o.rom", "another"}});  // the emulator: bad
  Expect("opt", S::Bad, "opt: 1 of 1 ROM files incorrect (o.rom)");

  WriteZipSet(Roms(), "hdd", {FileFor(A)});
  Expect("hdd", S::Bad, "hdd: disk hdd missing");
  WriteZipSet(Roms(), "hddclone", {FileFor(B)});
  Expect("hddclone", S::Bad, "hddclone: disk hdd missing");
  WriteWholeFile(Roms() + "/hdd/hdd.chd", ChdBytes(5, Sha1));  // a folder beside the zip
  Expect("hdd", S::Good);
  Expect("hddclone", S::Good);
  Expect("nodisk", S::BestAvailable);
}

TEST_F(AuditRules, ReasonsFitOneLine) {
  std::vector<RomFile> roms;
  for (uint32_t i = 0; i < 30; ++i) roms.push_back(R("rom_" + std::to_string(i) + ".bin", 8, 0x1000 + i));
  const std::string name(40, 'm');
  UseMachines({{name, Kind::Game, "", "", roms, {}, {Disk("disk", Sha1)}},
               {"long", Kind::Game, "", "", roms, {}, {Disk("disk", Sha1)}},
               {"few", Kind::Game, "", "", {A, B, C}, {}, {Disk("disk", Sha1)}}});
  WriteZipSet(Roms(), name, {FileFor(roms[0])});
  Expect(name, S::Bad, name + ": 29 of 30 ROM files missing (...)");
  WriteZipSet(Roms(), "long", {FileFor(roms[0])});
  MachineVerdict verdict = Judge("long");
  EXPECT_LE(verdict.Reason.size(), 78u);
  EXPECT_EQ(verdict.Reason.substr(0, 40), "long: 29 of 30 ROM files missing (rom_1.");
  EXPECT_EQ(verdict.Reason.substr(verdict.Reason.size() - 25), ", ...); disk disk missing");

  WriteZipSet(Roms(), "few", {FileFor(A)});
  Expect("few", S::Bad, "few: 2 of 3 ROM files missing (b.rom, c.rom); disk disk missing");
  WriteZipSet(Roms(), "few", {FileFor(A), {"c.rom", "x"}});
  Expect("few", S::Bad, "few: 2 of 3 ROM files missing, 1 incorrect (b.rom, c.rom); disk disk missing");
}

TEST_F(AuditRules, TheWholeAuditReportsProgressAndStops) {
  std::vector<MachineLine> lines;
  for (int i = 0; i < 150; ++i) lines.push_back({"m" + std::to_string(i), Kind::Game, "", "", {A}, {}});
  UseMachines(lines);
  WriteZipSet(Roms(), "m7", {FileFor(A)});
  std::vector<std::size_t> told;
  AuditResult all = AuditAllMachines(*lookup_, settings_, [&](std::size_t judged, std::size_t total) {
    EXPECT_EQ(total, 150u);
    told.push_back(judged);
    return true;
  });
  EXPECT_FALSE(all.Stopped);
  ASSERT_EQ(all.Verdicts.size(), 150u);
  EXPECT_EQ(told, (std::vector<std::size_t>{64, 128, 150}));
  for (std::size_t i = 0; i < all.Verdicts.size(); ++i) {
    EXPECT_EQ(all.Verdicts[i].AvailableText(), i == 7 ? "1" : "0") << i;
  }
  EXPECT_EQ(all.Verdicts[8].Reason, "m8: set m8 not found");

  AuditResult stopped = AuditAllMachines(*lookup_, settings_, [](std::size_t, std::size_t) { return false; });
  EXPECT_TRUE(stopped.Stopped);
  EXPECT_EQ(stopped.Verdicts.size(), 64u);
}

}  // namespace
}  // namespace zeb::testing_support
