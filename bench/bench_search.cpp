// The games list's search on 100,000 games of the emulator's shape, with
// the machine information: the median keystroke while a text with two
// filter words and a plain word is typed character by character
// ("year:1980-1989 -is:clone galaxian"), or the plain text alone
// ("galaxian"), for the GameFinder: each
// text narrowed from the one before, or looked for among all the games
// (as after Backspace); then the same with what the games list does with
// the result (its view filled, its page drawn). Also the time to build the
// finder when the search opens, and the growth of the resident memory over
// the later rounds (none is expected: every buffer is reused).
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF -DZEB_BENCH=ON
//   cmake --build build/bench --target bench_search && build/bench/bench_search

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <time.h>

#include "game_set.h"

#include "console/console.h"
#include "console/scripted_backend.h"
#include "machines/machine_info.h"
#include "search/favourites.h"
#include "search/game_finder.h"
#include "search/played_games.h"
#include "settings/game_table.h"
#include "ui/games_list.h"
#include "ui/session.h"

namespace zeb {
namespace {

constexpr int Games = 100000;
constexpr const char* Typed = "year:1980-1989 -is:clone galaxian";
constexpr const char* PlainTyped = "galaxian";

// The table and the machine information, made once.
struct SearchData {
  std::unique_ptr<GameTable> table = std::make_unique<GameTable>();
  GameMachines machines;
  Favourites favourites;
  PlayedGames played;

  SearchData() {
    static const char* Makers[] = {"Namco", "Midway", "Data East Corporation", "Capcom", "Konami", "Sega",
                                   "Taito Corporation", "bootleg", "Nintendo", "Atari", "SNK", "Irem"};
    bench::Random random;
    machines.ByGame.resize(Games + 1);
    machines.Named.assign(Games + 1, false);
    int number = 0;
    for (const bench::GameData& game : bench::MakeGameSet(Games, 56000, 16)) {
      GameRecord& record = table->Games[++number];
      record.DriverName = game.Name;
      // One game in 300 of the Galaxian family.
      record.Description = number % 300 == 7 ? "Galaxian " + game.Description : game.Description;
      record.CloneOf = game.Parent;
      record.Category = game.Category;
      record.Available = game.Available ? "1" : "0";
      MachineSummary& summary = machines.ByGame[static_cast<std::size_t>(number)];
      machines.Named[static_cast<std::size_t>(number)] = random.Next(50) != 0;
      summary.Year = random.Next(20) == 0 ? "198?" : std::to_string(1975 + random.Next(35));
      summary.Manufacturer = Makers[random.Next(12)];
      summary.Players = static_cast<int32_t>(random.Next(5));
      summary.Status = static_cast<DriverStatus>(random.Next(4));
      summary.IsBios = random.Next(100) == 0;
      summary.IsMechanical = random.Next(50) == 0;
    }
    table->GameCount = number;
  }
};

SearchData& Data() {
  static SearchData data;
  return data;
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// The processor time of this thread, in milliseconds: what a keystroke
// costs on one core, whatever else the machine runs meanwhile.
double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The time of each keystroke, on the clock and on the processor.
struct KeystrokeTimes {
  std::vector<double> Clock;
  std::vector<double> Cpu;
  std::chrono::steady_clock::time_point started;
  double cpuStarted = 0;

  void Start() {
    started = std::chrono::steady_clock::now();
    cpuStarted = CpuMilliseconds();
  }
  void Stop() {
    Cpu.push_back(CpuMilliseconds() - cpuStarted);
    Clock.push_back(Milliseconds(started));
  }
};

double Median(std::vector<double>& times) {
  std::sort(times.begin(), times.end());
  return times.empty() ? 0 : times[times.size() / 2];
}

void Report(benchmark::State& state, KeystrokeTimes& times) {
  state.counters["median_cpu_ms"] = Median(times.Cpu);
  state.counters["slowest_cpu_ms"] = times.Cpu.empty() ? 0 : times.Cpu.back();
  state.counters["median_clock_ms"] = Median(times.Clock);
}

// What the games list does with a result: its view entries filled (the
// rows of a longer list before emptied) and its page drawn.
struct ShownList {
  ScriptedBackend backend;
  Console console{&backend};
  GamesList list;
  Favourites favourites;
  GameMachines machines;

  void Show(const std::vector<int32_t>& games, const GameTable& table) {
    const int32_t before = list.Window.EntryCount;
    int32_t entries = 0;
    for (int32_t game : games) {
      ViewEntry& entry = list.ViewList[++entries];
      entry.GameNumber = game;
      entry.CloneMark = table.Games[game].CloneOf.Empty() ? CloneKind::Parent : CloneKind::Clone;
    }
    for (int32_t e = entries + 1; e <= before; ++e) list.ViewList[e].GameNumber = 0;
    list.Window.EntryCount = entries;
    list.Window.TopLine = 0;
    list.SelectedEntry = 1;
    list.SelectedGame = entries > 0 ? games[0] : 0;
    DrawListPage(console, list, table, favourites, machines);
  }
};

// The finder over the whole text typed; `anew`: each text looked for among
// all the games; `shown`: the games list's part too.
void TypeWithFinder(benchmark::State& state, const char* typed, bool anew, bool shown) {
  SearchData& data = Data();
  GameFinder finder;
  auto start = std::chrono::steady_clock::now();
  finder.Build(*data.table, data.machines, data.favourites, data.played);
  state.counters["build_ms"] = Milliseconds(start);
  ShownList list;
  list.list.Search.Open = true;
  const std::string text = typed;
  std::vector<int32_t> games, other;
  KeystrokeTimes times;
  long rssAfterFirstRound = 0;
  long rounds = 0;
  for (auto _ : state) {
    for (std::size_t length = 1; length <= text.size(); ++length) {
      if (anew) finder.Find("year:", other);  // a text that no other narrows
      times.Start();
      finder.Find(std::string_view(text).substr(0, length), games);
      if (shown) list.Show(games, *data.table);
      times.Stop();
    }
    finder.Find("", games);
    if (++rounds == 1) rssAfterFirstRound = bench::ResidentKb();
  }
  Report(state, times);
  finder.Find(text, games);
  state.counters["matches"] = static_cast<double>(games.size());
  state.counters["rss_growth_kb"] = static_cast<double>(bench::ResidentKb() - rssAfterFirstRound);
}

void BM_FinderPlainText(benchmark::State& state) { TypeWithFinder(state, PlainTyped, false, false); }
BENCHMARK(BM_FinderPlainText)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FinderNarrowing(benchmark::State& state) { TypeWithFinder(state, Typed, false, false); }
BENCHMARK(BM_FinderNarrowing)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FinderAnew(benchmark::State& state) { TypeWithFinder(state, Typed, true, false); }
BENCHMARK(BM_FinderAnew)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FinderNarrowingShown(benchmark::State& state) { TypeWithFinder(state, Typed, false, true); }
BENCHMARK(BM_FinderNarrowingShown)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FinderAnewShown(benchmark::State& state) { TypeWithFinder(state, Typed, true, true); }
BENCHMARK(BM_FinderAnewShown)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zeb

BENCHMARK_MAIN();
