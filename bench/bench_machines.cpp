// The machine information: the emulator's XML list read (the XML reader
// alone, and with the machine records made of it), zeb-machines.txt made
// from it as it streams, the start-up's read of the summaries joined to
// the game table, the start-up with and without the information (zeb.ini
// then holds the games without the devices, or all of the machines), and
// the audit's read of the whole file.
//
// The list is Debian's emulator's own when there is one at ZEB_MAME_XML
// (default /tmp/mame.xml, made by `/usr/games/mame -listxml >/tmp/mame.xml`),
// or else one generated to its shape: 39,446 machines and 5,848 devices
// after them, about 6 KB a machine. Counters: the list's bytes per second,
// the heap in use at the peak of a read and kept after it (every
// allocation of this program is counted), machines read.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "game_set.h"
#include "machines/machine_file.h"
#include "machines/machine_file_maker.h"
#include "machines/machine_list.h"
#include "machines/xml_reader.h"
#include "settings/settings.h"

// The heap in use, and its peak since the last reset.
namespace {
std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void* Take(std::size_t size) {
  void* block = std::malloc(size + 16);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  std::size_t now = heapInUse += size;
  std::size_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + 16;
}

void Give(void* pointer) {
  if (pointer == nullptr) return;
  void* block = static_cast<char*>(pointer) - 16;
  heapInUse -= *static_cast<std::size_t*>(block);
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return Take(size); }
void* operator new[](std::size_t size) { return Take(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Take(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer) noexcept { Give(pointer); }
void operator delete[](void* pointer) noexcept { Give(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Give(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Give(pointer); }

namespace {

constexpr int Machines = 39446;
constexpr int Devices = 5848;
constexpr std::size_t Chunk = 64 * 1024;

// A list to the shape of Debian's emulator's: per machine a few ROMs with
// SHA-1s, device references, chips, a display, inputs with controls,
// DIP switches with their values and locations, ports, the driver and
// features; devices after the machines, with little of that.
std::string GeneratedList() {
  const std::vector<bench::GameData> games = bench::MakeGameSet(Machines + Devices, Machines / 3, 16);
  std::string list = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
                     "\t<!ATTLIST mame build CDATA #IMPLIED>\n]>\n\n"
                     "<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n";
  bench::Random random;
  auto hex = [&](int digits) {
    std::string text;
    for (int i = 0; i < digits; ++i) text += "0123456789abcdef"[random.Next(16)];
    return text;
  };
  for (std::size_t i = 0; i < games.size(); ++i) {
    const bench::GameData& game = games[i];
    const bool device = i >= static_cast<std::size_t>(Machines);
    list += "\t<machine name=\"" + game.Name + "\" sourcefile=\"src/" + game.Name + ".cpp\"";
    if (device) list += " isdevice=\"yes\" runnable=\"no\"";
    if (!game.Parent.empty() && !device) list += " cloneof=\"" + game.Parent + "\" romof=\"" + game.Parent + "\"";
    list += ">\n\t\t<description>" + game.Description + "</description>\n";
    if (!device) list += "\t\t<year>19" + std::to_string(80 + random.Next(20)) + "</year>\n\t\t<manufacturer>Maker &amp; Co " + std::to_string(random.Next(3000)) + "</manufacturer>\n";
    for (int rom = device ? static_cast<int>(random.Next(2)) : 3 + static_cast<int>(random.Next(8)); rom > 0; --rom) {
      list += "\t\t<rom name=\"" + game.Name + "." + std::to_string(rom) + "\" size=\"" +
              std::to_string(1024u << random.Next(8)) + "\" crc=\"" + hex(8) + "\" sha1=\"" + hex(40) +
              "\" region=\"maincpu\" offset=\"" + std::to_string(rom * 4096) + "\"/>\n";
    }
    for (int ref = device ? 1 : 8 + static_cast<int>(random.Next(14)); ref > 0; --ref) {
      list += "\t\t<device_ref name=\"" + games[Machines + random.Next(Devices)].Name + "\"/>\n";
    }
    list += "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\n";
    if (device) {
      list += "\t</machine>\n";
      continue;
    }
    list += "\t\t<chip type=\"audio\" tag=\"mono\" name=\"Speaker\"/>\n"
            "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"" + std::to_string(90 * random.Next(4)) +
            "\" width=\"288\" height=\"224\" refresh=\"60.606061\" pixclock=\"6144000\" htotal=\"384\" "
            "hbend=\"0\" hbstart=\"288\" vtotal=\"264\" vbend=\"0\" vbstart=\"224\" />\n"
            "\t\t<sound channels=\"1\"/>\n\t\t<input players=\"2\" coins=\"2\">\n"
            "\t\t\t<control type=\"joy\" player=\"1\" ways=\"4\"/>\n\t\t\t<control type=\"joy\" player=\"2\" ways=\"4\"/>\n"
            "\t\t</input>\n";
    for (int dip = static_cast<int>(random.Next(12)); dip > 0; --dip) {
      list += "\t\t<dipswitch name=\"Coinage\" tag=\"DSW1\" mask=\"3\">\n"
              "\t\t\t<diplocation name=\"SW\" number=\"1\"/>\n\t\t\t<diplocation name=\"SW\" number=\"2\"/>\n"
              "\t\t\t<dipvalue name=\"2 Coins/1 Credit\" value=\"3\"/>\n"
              "\t\t\t<dipvalue name=\"1 Coin/1 Credit\" value=\"1\" default=\"yes\"/>\n"
              "\t\t\t<dipvalue name=\"1 Coin/2 Credits\" value=\"2\"/>\n\t\t\t<dipvalue name=\"Free Play\" value=\"0\"/>\n"
              "\t\t</dipswitch>\n";
    }
    list += "\t\t<port tag=\":IN0\">\n\t\t\t<analog mask=\"1\"/>\n\t\t</port>\n"
            "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
            "\t\t<feature type=\"sound\" status=\"imperfect\"/>\n\t</machine>\n";
  }
  return list + "</mame>\n";
}

const std::string& List() {
  static const std::string list = [] {
    const char* path = std::getenv("ZEB_MAME_XML");
    std::ifstream in(path != nullptr ? path : "/tmp/mame.xml", std::ios::binary);
    if (in) {
      std::stringstream bytes;
      bytes << in.rdbuf();
      std::fprintf(stderr, "the list: %s\n", path != nullptr ? path : "/tmp/mame.xml");
      return bytes.str();
    }
    std::fprintf(stderr, "the list: generated\n");
    return GeneratedList();
  }();
  return list;
}

class Quiet : public zeb::XmlHandler {
 public:
  void StartElement(std::string_view, std::span<const zeb::XmlAttribute> attributes) override {
    count_ += attributes.size();
  }
  void EndElement(std::string_view) override {}
  void Text(std::string_view text) override { count_ += text.size(); }
  std::size_t count_ = 0;
};

void BM_XmlReaderAlone(benchmark::State& state) {
  const std::string& list = List();
  for (auto _ : state) {
    Quiet quiet;
    zeb::XmlReader reader(quiet);
    for (std::size_t at = 0; at < list.size(); at += Chunk) reader.Feed(std::string_view(list).substr(at, Chunk));
    if (!reader.Finish()) state.SkipWithError(reader.Error().Describe().c_str());
    benchmark::DoNotOptimize(quiet.count_);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_XmlReaderAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadMachineList(benchmark::State& state) {
  const std::string& list = List();
  int64_t machines = 0;
  for (auto _ : state) {
    std::size_t roms = 0;
    zeb::MachineListReader reader([&](zeb::MachineInfo& machine) { roms += machine.Roms.size(); });
    for (std::size_t at = 0; at < list.size(); at += Chunk) reader.Feed(std::string_view(list).substr(at, Chunk));
    if (!reader.Finish()) state.SkipWithError(reader.ErrorText().c_str());
    machines = reader.MachinesRead();
    benchmark::DoNotOptimize(roms);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * list.size()));
  state.counters["machines"] = static_cast<double>(machines);
}
BENCHMARK(BM_ReadMachineList)->Unit(benchmark::kMillisecond)->Iterations(3);

// A directory with zeb-machines.txt made from the list, and zeb.ini files
// of the games without the devices and of all the machines.
class Workplace : public bench::ScratchDir {
 public:
  Workplace() : ScratchDir("zeb-bench-machines") {
    zeb::MachineFileMaker maker;
    const std::string& list = List();
    for (std::size_t at = 0; at < list.size(); at += Chunk) maker.Feed(std::string_view(list).substr(at, Chunk));
    if (!maker.Finish()) std::fprintf(stderr, "%s\n", maker.Error().c_str());
    std::vector<zeb::NamedSummary> summaries;
    zeb::ReadMachineSummaries(summaries);
    zeb::Settings settings;
    zeb::OptionCaptions captions;
    zeb::SetDefaultSettings(settings, captions);
    for (bool devices : {false, true}) {
      auto table = std::make_unique<zeb::GameTable>();
      for (const zeb::NamedSummary& summary : summaries) {
        if (summary.Summary.IsDevice && !devices) continue;
        zeb::GameRecord& game = table->Games[++table->GameCount];
        game.DriverName = summary.Name;
        game.Description = "A description of the length of most of them";
        game.CloneOf = summary.CloneOf;
        game.Category = "Shooter / Flying Vertical";
        game.Available = "0";
      }
      if (!devices) games = table->GameCount;
      zeb::SaveSettings(settings, *table);
      std::filesystem::rename("zeb.ini", devices ? "all.ini" : "games.ini");
    }
  }
  int games = 0;
};

Workplace& Place() {
  static Workplace place;
  place.Enter();
  return place;
}

void BM_MakeMachineFile(benchmark::State& state) {
  Place();
  const std::string& list = List();
  for (auto _ : state) {
    zeb::MachineFileMaker maker("made.txt");
    for (std::size_t at = 0; at < list.size(); at += Chunk) maker.Feed(std::string_view(list).substr(at, Chunk));
    if (!maker.Finish()) state.SkipWithError(maker.Error().c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * list.size()));
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size("made.txt")) / 1e6;
  std::filesystem::remove("made.txt");
}
BENCHMARK(BM_MakeMachineFile)->Unit(benchmark::kMillisecond)->Iterations(2);

// Loads zeb.ini into a table, as a start does.
void Load(const char* file, zeb::Settings& settings, zeb::GameTable& table) {
  std::filesystem::copy_file(file, "zeb.ini", std::filesystem::copy_options::overwrite_existing);
  zeb::LoadSettings(settings, table);
}

void BM_ReadGameMachines(benchmark::State& state) {
  Workplace& place = Place();
  zeb::Settings settings;
  auto table = std::make_unique<zeb::GameTable>();
  Load("games.ini", settings, *table);
  zeb::GameMachines machines;
  std::size_t peak = 0, kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    machines = zeb::GameMachines();
    const std::size_t before = heapInUse;
    heapPeak = before;
    state.ResumeTiming();
    zeb::MachineFileState read = zeb::ReadGameMachines(*table, machines);
    if (!read.Trusted()) state.SkipWithError(read.Reason.c_str());
    peak = heapPeak - before;
    kept = heapInUse - before;
  }
  int named = 0;
  for (bool one : machines.Named) named += one ? 1 : 0;
  if (named != place.games) state.SkipWithError("not every game got its summary");
  state.counters["games"] = named;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["kept_MB"] = static_cast<double>(kept) / 1e6;
}
BENCHMARK(BM_ReadGameMachines)->Unit(benchmark::kMillisecond);

// The start's reads: zeb.ini of every machine, or of the games without the
// devices and the information.
void StartUp(benchmark::State& state, bool information) {
  Place();
  zeb::Settings settings;
  std::size_t peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto table = std::make_unique<zeb::GameTable>();
    zeb::GameMachines machines;
    std::filesystem::copy_file(information ? "games.ini" : "all.ini", "zeb.ini",
                               std::filesystem::copy_options::overwrite_existing);
    const std::size_t before = heapInUse;
    heapPeak = before;
    state.ResumeTiming();
    zeb::LoadSettings(settings, *table);
    if (information && !zeb::ReadGameMachines(*table, machines).Trusted()) state.SkipWithError("not trusted");
    benchmark::DoNotOptimize(machines.ByGame.data());
    state.PauseTiming();
    peak = heapPeak - before;
    table.reset();
    machines = zeb::GameMachines();
    state.ResumeTiming();
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}

void BM_StartUpWithoutInformation(benchmark::State& state) { StartUp(state, false); }
BENCHMARK(BM_StartUpWithoutInformation)->Unit(benchmark::kMillisecond);
void BM_StartUpWithInformation(benchmark::State& state) { StartUp(state, true); }
BENCHMARK(BM_StartUpWithInformation)->Unit(benchmark::kMillisecond);

void BM_ReadWholeFileForTheAudit(benchmark::State& state) {
  Place();
  std::size_t roms = 0;
  std::size_t peak = 0;
  for (auto _ : state) {
    std::vector<zeb::MachineInfo> machines;
    const std::size_t before = heapInUse;
    heapPeak = before;
    zeb::MachineFileState read = zeb::ReadMachineFile(machines);
    if (!read.Trusted()) state.SkipWithError(read.Reason.c_str());
    peak = heapPeak - before;
    roms = 0;
    for (const zeb::MachineInfo& machine : machines) roms += machine.Roms.size();
  }
  state.counters["roms"] = static_cast<double>(roms);
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_ReadWholeFileForTheAudit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
