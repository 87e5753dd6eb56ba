// The cost of the games list on a full table of 4000 games: the bytes that
// reach the terminal for one scroll step and for a key that changes
// nothing (the page is redrawn into the model either way; only changed cells
// may be written), and the time of one page drawing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game_set.h"

#include "console/console.h"
#include "console/keys.h"
#include "console/scripted_backend.h"
#include "console/terminal_render.h"
#include "settings/settings.h"
#include "storage/numbers.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop.h"
#include "ui/screen.h"

namespace zeb {
namespace {

constexpr int TableSize = 4000;

// A deterministic table that looks like the emulator's: sorted driver names
// of 4 to 8 letters, descriptions of varied words, one game in four a clone.
void BuildTable(Session& session) {
  static const char* Words[] = {"Space", "Dragon", "Street", "Fighter", "Galaxy", "Ninja", "Turbo",
                                "Racing", "Puzzle", "Warrior", "Legend", "Super", "Bomber",  "Attack",
                                "Force",  "Zone",   "Quest",  "Master",  "Blaster", "Star"};
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  std::vector<std::string> names;
  for (int i = 0; i < TableSize; ++i) {
    std::string name;
    int length = 4 + static_cast<int>(next(5));
    for (int c = 0; c < length; ++c) name += static_cast<char>('a' + next(26));
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());

  SetDefaultSettings(session.settings, session.options.Captions);
  GameTable& table = session.games;
  table.MameVersion = "0.37b5";
  for (int i = 1; i <= TableSize; ++i) {
    GameRecord& game = table.Games[i];
    game.DriverName = names[static_cast<std::size_t>(i - 1)];
    std::string description;
    int words = 2 + static_cast<int>(next(4));
    for (int w = 0; w < words; ++w) description += std::string(w ? " " : "") + Words[next(20)];
    description += " (" + std::to_string(1980 + next(20)) + ")";
    game.Description = description;
    if (i > 1 && next(4) == 0) game.CloneOf = table.Games[i - 1].DriverName;
    game.Category = next(2) ? "Shooter / Flying Vertical" : "Platform";
    game.Available = next(3) ? "1" : "0";
    if (next(5) == 0) game.CheatCount = IntText(next(40) + 1);
  }
  table.GameCount = TableSize;
}

// One key as the main loop reads and dispatches it; returns the bytes that
// the terminal's next showing would write.
std::size_t KeyBytes(Session& session, ScriptedBackend& backend, TerminalView& view, unsigned char code) {
  backend.Special(code);
  KeyPress key;
  session.console.TakeKey(key);
  DispatchKey(session, key);
  DrawScreen(session.console, session);
  std::string out;
  RenderChanges(view, session.console.Screen, out);
  return out.size();
}

// A games list on screen, with the terminal showing it.
struct ShownList {
  ScriptedBackend backend;
  Console console{&backend};
  Session session{console};
  TerminalView view;
  std::size_t fullFrameBytes = 0;  // of the first showing

  ShownList() {
    // As the start-up leaves it: no cursor.
    console.HideCursor();
    BuildTable(session);
    ShowScreen(session, Screen::GamesList, Page::None);
    DrawScreen(console, session);
    std::string out;
    RenderChanges(view, console.Screen, out);
    fullFrameBytes = out.size();
  }

  // The window halfway down the list, where a step both ways is possible,
  // drawn and shown.
  void HalfwayDown() {
    session.list.Window.TopLine = 2000;
    DrawScreen(console, session);
    std::string out;
    RenderChanges(view, console.Screen, out);
  }
};

// The bytes of a full showing of each screen: the games list, the options
// screen's Paths page (a page of blocks) and the file viewer's picture.
void BM_FullFrameBytes(benchmark::State& state) {
  ShownList list;
  std::size_t options = 0;
  std::size_t viewer = 0;
  for (auto _ : state) {
    TerminalView view;
    std::string out;
    ShowScreen(list.session, Screen::Options, Page::Paths);
    DrawScreen(list.console, list.session);
    RenderChanges(view, list.console.Screen, out);
    options = out.size();
    view.Valid = false;
    out.clear();
    ShowScreen(list.session, Screen::Viewer, Page::Paths);
    DrawScreen(list.console, list.session);
    RenderChanges(view, list.console.Screen, out);
    viewer = out.size();
  }
  state.counters["games_list_bytes"] = static_cast<double>(list.fullFrameBytes);
  state.counters["options_bytes"] = static_cast<double>(options);
  state.counters["viewer_bytes"] = static_cast<double>(viewer);
}
BENCHMARK(BM_FullFrameBytes);

void BM_ListKeyBytes(benchmark::State& state) {
  ShownList list;
  list.HalfwayDown();
  std::size_t downBytes = KeyBytes(list.session, list.backend, list.view, Key::Down);
  std::size_t unchangedBytes = KeyBytes(list.session, list.backend, list.view, Key::PageDown);

  bool down = false;
  for (auto _ : state) {
    down = !down;
    benchmark::DoNotOptimize(KeyBytes(list.session, list.backend, list.view, down ? Key::Down : Key::Up));
  }
  state.counters["down_step_bytes"] = static_cast<double>(downBytes);
  state.counters["unchanged_key_bytes"] = static_cast<double>(unchangedBytes);
}
BENCHMARK(BM_ListKeyBytes);

void BM_DrawListPage(benchmark::State& state) {
  ShownList list;
  list.HalfwayDown();
  for (auto _ : state) {
    DrawListPage(list.console, list.session.list, list.session.games, list.session.favourites, list.session.information.Machines);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawListPage);

// The whole screen, as the main loop draws it once a pass.
void BM_DrawScreen(benchmark::State& state) {
  ShownList list;
  list.HalfwayDown();
  for (auto _ : state) {
    DrawScreen(list.console, list.session);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawScreen);

// One key of the search as the main loop takes it: its action and the
// redraw it asks for, to the screen model.
void SearchKey(Session& session, unsigned char key) {
  DispatchKey(session, KeyPress{false, key});
  DrawScreen(session.console, session);
}

// A keystroke in the search on a table of 100,000 games of the emulator's
// shape: the list filtered anew and the page drawn. Words are typed and
// taken back again and again; the median keystroke is reported, and how
// much the resident memory grew over the later rounds (the first round
// takes what the search keeps).
// The table of 100,000 games for the search, with the machine information
// for the filter words when `withInformation`.
void MakeSearchTable(Session& session, bool withInformation) {
  static const char* Makers[] = {"Namco", "Midway", "Data East Corporation", "Capcom", "Konami", "Sega",
                                 "Taito Corporation", "bootleg", "Nintendo", "Atari", "SNK", "Irem"};
  SetDefaultSettings(session.settings, session.options.Captions);
  GameTable& table = session.games;
  GameMachines& machines = session.information.Machines;
  int number = 0;
  const std::vector<bench::GameData> set = bench::MakeGameSet(100000, 56000, 16);
  if (withInformation) {
    machines.ByGame.resize(set.size() + 1);
    machines.Named.assign(set.size() + 1, true);
  }
  for (const bench::GameData& game : set) {
    GameRecord& record = table.Games[++number];
    record.DriverName = game.Name;
    // One game in 300 of the Galaxian family.
    record.Description = number % 300 == 7 ? "Galaxian " + game.Description : game.Description;
    record.CloneOf = game.Parent;
    record.Category = game.Category;
    record.Available = game.Available ? "1" : "0";
    if (withInformation) {
      MachineSummary& summary = machines.ByGame[static_cast<std::size_t>(number)];
      summary.Year = std::to_string(1975 + number % 35);
      summary.Manufacturer = Makers[number % 12];
      summary.Players = number % 5;
      summary.Status = static_cast<DriverStatus>(number % 4);
    }
  }
  table.GameCount = number;
  ShowScreen(session, Screen::GamesList, Page::None);
  DrawScreen(session.console, session);
}

// Keystrokes in the search on a table of 100,000 games of the emulator's
// shape, each as the main loop takes it: dispatched, then the whole screen
// drawn. `texts` are typed and taken back again and again; the median
// keystroke is reported, and how much the resident memory grew over the
// later rounds (the first round takes what the search keeps).
void TypeInSearch(benchmark::State& state, const std::vector<std::string>& texts, bool withInformation) {
  ScriptedBackend backend;
  Console console(&backend);
  Session session(console);
  MakeSearchTable(session, withInformation);
  SearchKey(session, '/');

  std::vector<double> times;
  long rssAfterFirstRound = 0;
  long rounds = 0;
  for (auto _ : state) {
    for (const std::string& text : texts) {
      for (char c : text) {
        auto start = std::chrono::steady_clock::now();
        SearchKey(session, static_cast<unsigned char>(c));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      }
      for (std::size_t i = 0; i < text.size(); ++i) SearchKey(session, Key::Backspace);
    }
    if (++rounds == 1) rssAfterFirstRound = bench::ResidentKb();
  }
  std::sort(times.begin(), times.end());
  state.counters["median_keystroke_ms"] = times.empty() ? 0 : times[times.size() / 2];
  state.counters["rss_growth_kb"] = static_cast<double>(bench::ResidentKb() - rssAfterFirstRound);
  state.counters["matches_now"] = session.list.Window.EntryCount;
}

void BM_SearchKeystroke(benchmark::State& state) {
  TypeInSearch(state, {"street", "ninja", "space", "zz", "(world"}, false);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(20);

// Two filter words and a plain word, ranked.
void BM_SearchKeystrokeFilterWords(benchmark::State& state) {
  TypeInSearch(state, {"year:1980-1989 -is:clone galaxian", "maker:namco is:working space"}, true);
}
BENCHMARK(BM_SearchKeystrokeFilterWords)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zeb

BENCHMARK_MAIN();
