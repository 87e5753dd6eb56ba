// The machine information file: what is written reads back the same, a
// write that does not finish leaves the old file, a file that is not ours,
// cut short or damaged is never trusted, the join to the game table, and
// the file made from the emulator's list as it streams.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_file_format.h"
#include "machines/machine_file_maker.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

MachineInfo Machine(const std::string& name, const std::string& parent = "") {
  MachineInfo machine;
  machine.Name = name;
  machine.Description = "The " + name;
  machine.Summary.Year = "1980";
  machine.Summary.Manufacturer = "Namco";
  machine.Summary.Status = DriverStatus::Good;
  machine.Summary.Players = 2;
  machine.CloneOf = parent;
  machine.RomOf = parent;
  machine.Roms.push_back({name + ".1", 4096, 0xC1E6AB10, true, "", DumpStatus::Good, false});
  machine.DeviceRefs.push_back("z80");
  return machine;
}

// Machines with everything a record may hold, the awkward texts included.
std::vector<MachineInfo> AwkwardMachines() {
  std::vector<MachineInfo> machines = {Machine("pacman", "puckman"), Machine("puckman"), Machine("z80")};
  MachineInfo& pacman = machines[0];
  pacman.Description = "Tab\there, line\nend, back\\slash, \x01\x7F and code page 437 \x82\xE1";
  pacman.Summary.Year = "19\t?";
  pacman.Summary.Manufacturer = std::string(255, 'M');
  pacman.Summary.Status = DriverStatus::Preliminary;
  pacman.Summary.Rotate = 270;
  pacman.Summary.Players = 8;
  pacman.Roms.push_back({"82s123.7f", 32, 0, true, "pm1-1.7f", DumpStatus::BadDump, true});
  pacman.Roms.push_back({"pal\\x.bin", 0, 0, false, "", DumpStatus::NoDump, false});
  pacman.Disks.push_back({"disk", "978b0728287e9bad50aa94447f259825ab43c99d", "parent", DumpStatus::Good, true});
  pacman.Disks.push_back({"missing", "", "", DumpStatus::NoDump, false});
  pacman.DeviceRefs = {"z80", "namco", "z80"};
  MachineSummary& z80 = machines[2].Summary;
  z80.IsDevice = true;
  z80.Runnable = false;
  z80.Status = DriverStatus::Unknown;
  machines[2].Roms.clear();
  machines[1].Summary.IsBios = true;
  machines[1].Summary.IsMechanical = true;
  machines[1].Summary.Status = DriverStatus::Imperfect;
  return machines;
}

bool Write(const std::vector<MachineInfo>& machines, const std::string& version = "0.251 (unknown)") {
  MachineFileWriter writer;
  if (!writer.Begin(version)) return false;
  for (const MachineInfo& machine : machines) {
    if (!writer.Add(machine)) return false;
  }
  return writer.Finish();
}

// The directory's entries, to see that nothing is left behind.
std::vector<std::string> Entries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class MachineFileTest : public ::testing::Test {
 protected:
  testing_support::TempDir dir;
  std::unique_ptr<GameTable> table = std::make_unique<GameTable>();

  void AddGame(const std::string& name) { table->Games[++table->GameCount].DriverName = name; }
};

TEST_F(MachineFileTest, WhatIsWrittenReadsBackTheSame) {
  const std::vector<MachineInfo> machines = AwkwardMachines();
  ASSERT_TRUE(Write(machines, "0.251 (unknown)\t\\"));
  EXPECT_EQ(Entries(), std::vector<std::string>{"zeb-machines.txt"});
  EXPECT_EQ(ReadBytes("zeb-machines.txt").rfind("ZEB machine information, format 1\nemulator 0.251 (unknown)\\09\\5C\n",
                                                0),
            0u);

  std::vector<MachineInfo> read;
  MachineFileState state = ReadMachineFile(read);
  ASSERT_TRUE(state.Trusted()) << state.Reason;
  EXPECT_EQ(state.Reason, "");
  EXPECT_EQ(state.Version, "0.251 (unknown)\t\\");
  EXPECT_EQ(state.Machines, 3);
  EXPECT_TRUE(read == machines);

  std::vector<NamedSummary> summaries;
  ASSERT_TRUE(ReadMachineSummaries(summaries).Trusted());
  ASSERT_EQ(summaries.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(summaries[i].Name, machines[i].Name);
    EXPECT_TRUE(summaries[i].Summary == machines[i].Summary) << i;
  }

  // A list without machines is a file too.
  ASSERT_TRUE(Write({}, ""));
  state = ReadMachineFile(read);
  EXPECT_TRUE(state.Trusted()) << state.Reason;
  EXPECT_EQ(state.Machines, 0);
  EXPECT_TRUE(read.empty());
}

TEST_F(MachineFileTest, TheOldFileStaysUntilTheNewOneIsComplete) {
  ASSERT_TRUE(Write({Machine("old")}));
  const std::string old = ReadBytes("zeb-machines.txt");
  {
    MachineFileWriter writer;
    ASSERT_TRUE(writer.Begin("new"));
    ASSERT_TRUE(writer.Add(Machine("new")));
    EXPECT_EQ(Entries().size(), 2u);  // the new file beside the old one
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"zeb-machines.txt"});
  EXPECT_EQ(ReadBytes("zeb-machines.txt"), old);

  // A machine without a name fails the write; the old file stays.
  MachineFileWriter writer;
  ASSERT_TRUE(writer.Begin("new"));
  MachineInfo unnamed = Machine("x");
  unnamed.Roms[0].Name.clear();
  EXPECT_FALSE(writer.Add(unnamed));
  EXPECT_EQ(writer.Error(), "cannot write zeb-machines.txt: a machine, ROM, disk or device without a name");
  EXPECT_FALSE(writer.Finish());
  EXPECT_EQ(Entries(), std::vector<std::string>{"zeb-machines.txt"});
  EXPECT_EQ(ReadBytes("zeb-machines.txt"), old);

  // Nowhere to write.
  MachineFileWriter nowhere;
  EXPECT_FALSE(nowhere.Begin("v", "no/such/directory/zeb-machines.txt"));
  EXPECT_EQ(nowhere.Error().rfind("cannot write zeb-machines.txt: ", 0), 0u) << nowhere.Error();
}

// Which reads see a fault: all of them, or those that read the part where
// it lies.
enum class Noticed { ByAll, ByTheSummaries, ByTheAudit };

// A file that is not to be trusted: nothing taken from it by any read that
// sees it, a short reason, and the file left as it was.
void ExpectUntrusted(const std::string& bytes, MachineFileProblem problem, const std::string& reason,
                     Noticed noticed = Noticed::ByAll) {
  WriteBytes("zeb-machines.txt", bytes);
  std::vector<MachineInfo> machines = {Machine("kept")};
  MachineFileState whole = ReadMachineFile(machines);
  EXPECT_EQ(whole.Problem, problem);
  EXPECT_EQ(whole.Reason, reason);
  EXPECT_LT(whole.Reason.size(), 80u);
  EXPECT_TRUE(machines.empty());
  std::vector<NamedSummary> summaries = {NamedSummary{}};
  MachineFileState start = ReadMachineSummaries(summaries);
  auto table = std::make_unique<GameTable>();
  table->Games[++table->GameCount].DriverName = "pacman";
  GameMachines joined;
  joined.ByGame.resize(2);
  MachineFileState forGames = ReadGameMachines(*table, joined);
  if (noticed == Noticed::ByAll) {
    EXPECT_EQ(forGames.Reason, reason);
    EXPECT_FALSE(joined.Known());
  } else {
    EXPECT_TRUE(forGames.Trusted());
  }
  if (noticed != Noticed::ByTheAudit) {
    EXPECT_EQ(start.Reason, reason);
    EXPECT_TRUE(summaries.empty());
  } else {
    EXPECT_TRUE(start.Trusted());
  }
  EXPECT_EQ(ReadBytes("zeb-machines.txt"), bytes);
  EXPECT_FALSE(std::filesystem::exists("zeb.ini"));
}

TEST_F(MachineFileTest, AFileThatIsNotOursOrNotWholeIsNeverTrusted) {
  std::vector<MachineInfo> none;
  MachineFileState missing = ReadMachineFile(none);
  EXPECT_EQ(missing.Problem, MachineFileProblem::Missing);
  EXPECT_EQ(missing.Reason, "zeb-machines.txt is not there");

  ExpectUntrusted("my own notes on machines\n", MachineFileProblem::Foreign,
                  "zeb-machines.txt is not ZEB's machine information");
  ExpectUntrusted(std::string(5000, 'x'), MachineFileProblem::Foreign,
                  "zeb-machines.txt is not ZEB's machine information");
  ExpectUntrusted("ZEB machine information, format 2\nemulator 0.300\n", MachineFileProblem::OtherFormat,
                  "zeb-machines.txt is of another format");
  ExpectUntrusted("", MachineFileProblem::Truncated, "zeb-machines.txt is cut short");

  ASSERT_TRUE(Write(AwkwardMachines()));
  const std::string good = ReadBytes("zeb-machines.txt");
  const std::size_t header = good.find("\n=") + 1;
  const std::size_t summaries = good.find("\npacman\t") + 1;
  ASSERT_LT(header, summaries);
  for (std::size_t cut : {std::size_t{10}, header - 3, header + 5, summaries + 2, good.size() - 1}) {
    SCOPED_TRACE(cut);
    ExpectUntrusted(good.substr(0, cut), MachineFileProblem::Truncated,
                    "zeb-machines.txt is cut short");
  }
  ExpectUntrusted(good + "\n", MachineFileProblem::Damaged,
                  "zeb-machines.txt is damaged (longer than its header says)");
}

TEST_F(MachineFileTest, ADamagedFileIsNeverTrusted) {
  ASSERT_TRUE(Write(AwkwardMachines()));
  const std::string good = ReadBytes("zeb-machines.txt");
  const std::string mismatch = "zeb-machines.txt is damaged (its check does not match)";
  const std::size_t roms = good.find("\n=") + 1;
  const std::size_t summaries = good.find("\npacman\t") + 1;
  // A byte changed in each line of the header (the mark's is no longer the
  // mark), in the summaries, in the ROM section.
  for (std::size_t at = 34; at < roms; at = good.find('\n', at) + 3) {
    std::string damaged = good;
    damaged[at] = damaged[at] == '0' ? '1' : '0';
    SCOPED_TRACE(damaged.substr(0, roms));
    ExpectUntrusted(damaged, MachineFileProblem::Damaged, mismatch);
  }
  std::string mark = good;
  mark[3] = '_';
  ExpectUntrusted(mark, MachineFileProblem::Foreign, "zeb-machines.txt is not ZEB's machine information");
  std::string summary = good;
  summary[summaries + 1] = 'A';
  ExpectUntrusted(summary, MachineFileProblem::Damaged, mismatch);
  // The ROM section is checked when the audit reads it, not at start-up.
  std::string rom = good;
  rom[roms + 3] = 'X';
  ExpectUntrusted(rom, MachineFileProblem::Damaged, mismatch, Noticed::ByTheAudit);
  // So are the devices' summaries, at start-up only for games they name.
  std::string device = good;
  device[good.find("\nz80\t") + 2] = '9';
  ExpectUntrusted(device, MachineFileProblem::Damaged, mismatch, Noticed::ByTheSummaries);
  auto withDevice = std::make_unique<GameTable>();
  withDevice->Games[++withDevice->GameCount].DriverName = "z80";
  GameMachines joined;
  EXPECT_EQ(ReadGameMachines(*withDevice, joined).Reason, mismatch);
  EXPECT_FALSE(joined.Known());
  // The checks' digits have one case.
  std::string upper = good;
  const std::size_t check = good.find("check ") + 6;
  upper[good.find_first_of("abcdef", check)] = static_cast<char>(upper[good.find_first_of("abcdef", check)] - 32);
  ExpectUntrusted(upper, MachineFileProblem::Damaged, mismatch);

  // Contents that do not hold to the format, behind checks that match: a
  // summary's flags, a device's summary among the other machines', a
  // status "q".
  machine_file::Header header;
  std::size_t size = 0;
  bool complete = false, checked = false;
  ASSERT_TRUE(machine_file::ParseHeader(good, header, size, complete, checked));
  const std::string orderMessage = "zeb-machines.txt is damaged (its contents are out of order)";
  auto rewritten = [&](const std::string& from, const std::string& to) {
    std::string file = good;
    std::string text = file.substr(header.Summaries.Offset, header.Summaries.Bytes);
    text.replace(text.find(from), from.size(), to);
    file.replace(header.Summaries.Offset, header.Summaries.Bytes, text);
    machine_file::Header changed = header;
    changed.Summaries.Check = MachineCheckOf(text);
    return machine_file::HeaderText(changed) + file.substr(size);
  };
  ASSERT_NE(good.find("\t---rp38\t"), std::string::npos);
  ExpectUntrusted(rewritten("\t---rp38\t", "\txxxxp38\t"), MachineFileProblem::Damaged, orderMessage);
  ExpectUntrusted(rewritten("\t---rp38\t", "\td--rp38\t"), MachineFileProblem::Damaged, orderMessage);
  ExpectUntrusted(rewritten("\t---rp38\t", "\t---rq38\t"), MachineFileProblem::Damaged, orderMessage);
}

TEST_F(MachineFileTest, GamesGetTheSummariesOfTheirDriverNames) {
  std::vector<MachineInfo> machines;
  for (const char* name : {"alpha", "beta", "gamma", "delta", "z80"}) machines.push_back(Machine(name));
  machines[1].Summary.Year = "1981";
  machines[2].Summary.Year = "1982";
  machines[3].Summary.Year = "1983";
  machines[4].Summary.IsDevice = true;
  ASSERT_TRUE(Write(machines));

  // The table in another order, with a game twice, one the file does not
  // know and without two of the file's machines.
  for (const char* name : {"gamma", "alpha", "unknown", "gamma", "beta"}) AddGame(name);
  GameMachines joined;
  MachineFileState state = ReadGameMachines(*table, joined);
  ASSERT_TRUE(state.Trusted()) << state.Reason;
  ASSERT_TRUE(joined.Known());
  ASSERT_EQ(joined.ByGame.size(), 6u);
  EXPECT_EQ(joined.Of(1)->Year, "1982");
  EXPECT_EQ(joined.Of(2)->Year, "1980");
  EXPECT_EQ(joined.Of(3), nullptr);
  EXPECT_EQ(joined.Of(4)->Year, "1982");
  EXPECT_EQ(joined.Of(5)->Year, "1981");
  EXPECT_EQ(joined.Of(0), nullptr);
  EXPECT_EQ(joined.Of(6), nullptr);

  // The join of summaries in memory is the same one.
  std::vector<NamedSummary> summaries;
  ASSERT_TRUE(ReadMachineSummaries(summaries).Trusted());
  GameMachines again = JoinGameMachines(*table, summaries);
  EXPECT_EQ(again.Named, joined.Named);
  for (int32_t game = 1; game <= 5; ++game) {
    if (joined.Of(game) != nullptr) {
      EXPECT_TRUE(*again.Of(game) == *joined.Of(game)) << game;
    }
  }

  // In the file's own order, devices and all; twice in a row too.
  table = std::make_unique<GameTable>();
  for (const char* name : {"alpha", "beta", "beta", "gamma", "delta", "z80"}) AddGame(name);
  ASSERT_TRUE(ReadGameMachines(*table, joined).Trusted());
  EXPECT_EQ(joined.Named, (std::vector<bool>{false, true, true, true, true, true, true}));
  EXPECT_EQ(joined.Of(3)->Year, "1981");
  EXPECT_TRUE(joined.Of(6)->IsDevice);

  // An empty table: information, but for no game.
  table = std::make_unique<GameTable>();
  ASSERT_TRUE(ReadGameMachines(*table, joined).Trusted());
  EXPECT_TRUE(joined.Known());
  EXPECT_EQ(joined.Of(1), nullptr);
}

TEST_F(MachineFileTest, MadeFromTheListAsItStreams) {
  const std::string list =
      "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\">\n"
      "<machine name=\"pacman\" cloneof=\"puckman\"><description>Pac-Man</description><year>1980</year>"
      "<rom name=\"pacman.6e\" size=\"4096\" crc=\"c1e6ab10\"/><device_ref name=\"z80\"/></machine>\n"
      "<machine name=\"z80\" isdevice=\"yes\" runnable=\"no\"><description>Z80</description></machine>\n</mame>\n";
  {
    MachineFileMaker maker;
    for (std::size_t at = 0; at < list.size(); at += 5) ASSERT_TRUE(maker.Feed(std::string_view(list).substr(at, 5)));
    EXPECT_EQ(maker.MachinesRead(), 2);
    EXPECT_EQ(maker.Version(), "0.251 (unknown)");
    EXPECT_FALSE(std::filesystem::exists("zeb-machines.txt"));
    ASSERT_TRUE(maker.Finish()) << maker.Error();
  }
  std::vector<MachineInfo> read;
  MachineFileState state = ReadMachineFile(read);
  ASSERT_TRUE(state.Trusted());
  EXPECT_EQ(state.Version, "0.251 (unknown)");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].CloneOf, "puckman");
  EXPECT_EQ(read[0].Roms, (std::vector<RomFile>{{"pacman.6e", 4096, 0xC1E6AB10, true, "", DumpStatus::Good, false}}));
  EXPECT_TRUE(read[1].Summary.IsDevice);
  const std::string made = ReadBytes("zeb-machines.txt");

  // A list that breaks off, or is faulty, leaves the file as it was.
  {
    MachineFileMaker maker;
    ASSERT_TRUE(maker.Feed(std::string_view(list).substr(0, list.size() - 8)));
    EXPECT_FALSE(maker.Finish());
    EXPECT_EQ(maker.Error(), "the emulator's list, line 5, column 1 (byte " + std::to_string(list.size() - 8) +
                                 "): the document ends inside <mame>");
  }
  {
    MachineFileMaker maker;
    std::string faulty = list;
    faulty.replace(faulty.find("4096"), 4, "4O96");
    EXPECT_FALSE(maker.Feed(faulty));
    EXPECT_FALSE(maker.Finish());
    EXPECT_NE(maker.Error().find("machine pacman: the ROM pacman.6e has the size \"4O96\", no number"),
              std::string::npos)
        << maker.Error();
  }
  {
    MachineFileMaker maker;
    ASSERT_TRUE(maker.Feed(std::string_view(list).substr(0, 200)));
    maker.Abandon();
  }
  EXPECT_EQ(ReadBytes("zeb-machines.txt"), made);
  EXPECT_EQ(Entries(), std::vector<std::string>{"zeb-machines.txt"});
}

}  // namespace
}  // namespace zeb
