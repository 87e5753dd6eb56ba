// The game database: the first-run import of 4000 games, 1500 clones, 4000
// category lines and 40,000 cheat lines; loading and saving a settings file
// of 4000 games; and the ROM scan with half the archives present. Then the
// first-run import at today's size: 45,294 games and 26,051 clones in the
// emulator's wide list layout, a 45,000-line catver.ini and the ROM scan
// with half the archives present, and loading the settings file of that
// table. The data is generated in temporary directories.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game_set.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace {

constexpr int Games = 4000;
constexpr int Clones = 1500;
constexpr int CheatLines = 40000;

std::string Name(int game) {
  char name[16];
  std::snprintf(name, sizeof name, "gm%05d", game);
  return name;
}

using bench::WriteFile;

// A working directory with the emulator's lists, catver.ini, cheat.dat and
// the archives of every other game; removed at the end of the program.
class Workplace : public bench::ScratchDir {
 public:
  Workplace() : ScratchDir("zeb-bench") {
    WriteFile("ver.txt", "M.A.M.E. v0.37 beta 16 (Jun 28 2001) - Multiple Arcade Machine Emulator\r\n");
    std::string full = "name      description\r\n";
    for (int game = 1; game <= Games; ++game) {
      full += Name(game) + "   \"Some Arcade Game number " + std::to_string(game) + " (set 1)\"\r\n";
    }
    WriteFile("listfull.txt", full);

    std::string clones = "name     clone of\r\n";
    for (int clone = 1; clone <= Clones; ++clone) clones += Name(clone * 2) + "  " + Name(clone * 2 - 1) + "\r\n";
    WriteFile("listclones.txt", clones);

    std::string catver = ";; catver.ini\r\n\r\n[Category]\r\n";
    for (int game = 1; game <= Games; ++game) catver += Name(game) + "=Platform / Shooter Scrolling\r\n";
    catver += "[VerAdded]\r\n";
    for (int game = 1; game <= Games; ++game) catver += Name(game) + "=.37b16\r\n";
    WriteFile("catver.ini", catver);

    std::string cheats;
    for (int line = 0; line < CheatLines; ++line) {
      if (line % 50 == 0) {
        cheats += "; [ cheats of the next game ]\r\n";
        cheats += "skipped:0:000000:00:000:skipped with the comment\r\n";
        line += 1;
        continue;
      }
      cheats += Name(line / 10 % Games + 1) + ":0:0000A2F3:05:000:Infinite Lives:Player 1\r\n";
    }
    WriteFile("cheat.dat", cheats);

    std::filesystem::create_directory("roms");
    for (int game = 1; game <= Games; game += 2) WriteFile("roms/" + Name(game) + ".zip", "PK");
  }
};

Workplace& Place() {
  static Workplace place;
  place.Enter();
  return place;
}

constexpr int TodaysGames = 45294;
constexpr int TodaysClones = 26051;
constexpr int TodaysCatverLines = 45000;

// The emulator's lists as today's emulator writes them: the name column of
// listfull.txt 18 wide with the description in quotes from column 19, the
// clone column of listclones.txt 17 wide with the parent from column 18;
// catver.ini with a category line for most games; half the archives.
class TodaysWorkplace : public bench::ScratchDir {
 public:
  TodaysWorkplace() : ScratchDir("zeb-bench-today") {
    std::vector<bench::GameData> games = bench::MakeGameSet(TodaysGames, TodaysClones, 16);
    last_ = games.back();

    WriteFile("ver.txt", "MAME v0.251 (unknown)\r\nCopyright Nicola Salmoria and the MAME team\r\n");
    std::string full = "Name:             Description:\r\n";
    std::string clones = "Name:            Clone of:\r\n";
    std::string catver = ";; catver.ini 0.251 ;;\r\n\r\n[Category]\r\n";
    std::filesystem::create_directory("roms");
    for (std::size_t i = 0; i < games.size(); ++i) {
      const bench::GameData& game = games[i];
      full += bench::PaddedTo(game.Name, 18) + "\"" + game.Description + "\"\r\n";
      if (!game.Parent.empty()) clones += bench::PaddedTo(game.Name, 17) + game.Parent + "\r\n";
      if (static_cast<int>(i) < TodaysCatverLines) catver += game.Name + "=" + game.Category + "\r\n";
      if (game.Available) WriteFile("roms/" + game.Name + ".zip", "PK");
    }
    catver += "[VerAdded]\r\n";
    WriteFile("listfull.txt", full);
    WriteFile("listclones.txt", clones);
    WriteFile("catver.ini", catver);
  }
  // The last game, as the import must take it.
  const bench::GameData& Last() const { return last_; }

 private:
  bench::GameData last_;
};

TodaysWorkplace& TodaysPlace() {
  static TodaysWorkplace place;
  place.Enter();
  return place;
}

// What a first run fills: the settings, the table, and a console that
// takes the progress lines.
struct Imported {
  zeb::Console console;
  zeb::Settings settings;
  zeb::OptionCaptions captions;
  zeb::GameTable table;
};

void FirstRunImports(Imported& run) {
  zeb::SetDefaultSettings(run.settings, run.captions);
  zeb::ReadMameVersion(run.table);
  zeb::ImportGameNames(run.table, run.settings, run.console);
  zeb::ImportClones(run.table, run.console);
  zeb::ImportCategories(run.table, run.console);
  zeb::ImportCheatCounts(run.table, run.console);
}

void BM_FirstRunImport(benchmark::State& state) {
  Place();
  Imported run;
  for (auto _ : state) {
    FirstRunImports(run);
    benchmark::DoNotOptimize(run.table.GameCount);
  }
  if (run.table.GameCount != Games || run.table.Games[2].CloneOf.Empty() || run.table.Games[7].CheatCount.Empty()) {
    state.SkipWithError("the import did not fill the table");
  }
}
BENCHMARK(BM_FirstRunImport)->Unit(benchmark::kMillisecond);

void BM_FirstRunImportAndSave(benchmark::State& state) {
  Place();
  Imported run;
  for (auto _ : state) {
    FirstRunImports(run);
    zeb::SaveSettings(run.settings, run.table);
    state.PauseTiming();
    std::filesystem::remove("zeb.ini");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRunImportAndSave)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state) {
  Place();
  Imported run;
  FirstRunImports(run);
  for (auto _ : state) zeb::SaveSettings(run.settings, run.table);
  std::filesystem::remove("zeb.ini");
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

// Loads the settings file of the imported table, again and again, as every
// start does.
void LoadImportedTable(benchmark::State& state, int games) {
  Imported run;
  FirstRunImports(run);
  zeb::SaveSettings(run.settings, run.table);
  for (auto _ : state) {
    zeb::LoadSettings(run.settings, run.table);
    benchmark::DoNotOptimize(run.table.GameCount);
  }
  std::filesystem::remove("zeb.ini");
  if (run.table.GameCount != games) state.SkipWithError("the load did not read the table");
}

void BM_LoadSettings(benchmark::State& state) {
  Place();
  LoadImportedTable(state, Games);
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_ScanRomAvailability(benchmark::State& state) {
  Place();
  Imported run;
  FirstRunImports(run);
  for (auto _ : state) zeb::ScanRomAvailability(run.table, run.settings, run.console);
  if (!(run.table.Games[1].Available == "1") || !(run.table.Games[2].Available == "0")) {
    state.SkipWithError("the scan did not find half the archives");
  }
}
BENCHMARK(BM_ScanRomAvailability)->Unit(benchmark::kMillisecond);

// The whole first-run import at today's size, the ROM scan included (the
// names import ends with it).
void BM_FirstRunImportToday(benchmark::State& state) {
  const TodaysWorkplace& place = TodaysPlace();
  Imported run;
  for (auto _ : state) {
    FirstRunImports(run);
    benchmark::DoNotOptimize(run.table.GameCount);
  }
  const int32_t count = run.table.GameCount;
  state.counters["games"] = count;
  const zeb::GameRecord& last = run.table.Games[count];
  if (count != TodaysGames || last.DriverName.View() != place.Last().Name ||
      last.Description.View() != place.Last().Description || last.Category.Empty() != (TodaysGames > TodaysCatverLines)) {
    state.SkipWithError("the import did not read the lists as they are laid out");
  }
}
BENCHMARK(BM_FirstRunImportToday)->Unit(benchmark::kMillisecond);

void BM_LoadSettingsToday(benchmark::State& state) {
  TodaysPlace();
  LoadImportedTable(state, std::min(TodaysGames, zeb::MaxGames));
}
BENCHMARK(BM_LoadSettingsToday)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
