// What showing the screen costs on a terminal: the bytes of the first full
// frame of a typical screen, of a present with no change and of a list that
// scrolls by one row, and the time to build them.

#include <benchmark/benchmark.h>

#include <string>

#include "console/console.h"
#include "console/terminal_render.h"

namespace {

using namespace zeb;

// A screen like the games list: shaded background, title bar, a framed list
// of 21 rows with a highlight bar, a side panel with buttons.
ScreenModel TypicalScreen(int firstGame) {
  Console console;
  for (int row = 1; row <= ScreenHeight; ++row) console.PutText(std::string(ScreenWidth, '\xB1'), {1, row}, {8, 1});
  console.PutText(" ZEB v1.1 - MAME 0.254" + std::string(54, ' ') + "[X]", {1, 1}, {15, 1});
  console.PutText("\xDA" + std::string(52, '\xC4') + "\xBF", {2, 2}, {15, 0});
  for (int line = 0; line < 21; ++line) {
    std::string text = "Game number " + std::to_string(firstGame + line) + " (World, rev " +
                       std::to_string((firstGame + line) % 7) + ")";
    text.resize(50, ' ');
    bool selected = line == 5;
    console.PutText("\xB3", {2, 3 + line}, {15, 0});
    console.PutText(" " + text + " ", {3, 3 + line}, {selected ? 15 : ((firstGame + line) % 3 == 0 ? 11 : 7), selected ? 4 : 0});
    console.PutText("\xB3", {54, 3 + line}, {15, 0});
  }
  console.PutText("\xC0" + std::string(52, '\xC4') + "\xD9", {2, 24}, {15, 0});
  console.PutText("\x11 All Games \x10", {58, 3}, {14, 1});
  for (int button = 0; button < 6; ++button) console.PutText(" Button number " + std::to_string(button) + " ", {58, 6 + 2 * button}, {0, 7});
  console.PutText("Parent: none", {58, 19}, {10, 0});
  console.PutText("Cheats: 12", {58, 20}, {10, 0});
  console.PutText("Category: Shooter", {58, 21}, {10, 0});
  console.HideCursor();
  return console.Screen;
}

// The same screen shown again and again: as a full frame each time
// (`anew`), or onto a terminal that already shows it.
void ShowAgain(benchmark::State& state, bool anew) {
  ScreenModel model = TypicalScreen(1);
  TerminalView view;
  std::string out;
  out.reserve(32768);
  RenderChanges(view, model, out);
  for (auto _ : state) {
    view.Valid = view.Valid && !anew;
    out.clear();
    RenderChanges(view, model, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes"] = static_cast<double>(out.size());
}

void BM_FullFrame(benchmark::State& state) { ShowAgain(state, true); }
BENCHMARK(BM_FullFrame);

void BM_NoChange(benchmark::State& state) { ShowAgain(state, false); }
BENCHMARK(BM_NoChange);

void BM_ListScrollsOneRow(benchmark::State& state) {
  ScreenModel first = TypicalScreen(1);
  ScreenModel second = TypicalScreen(2);
  TerminalView view;
  std::string out;
  RenderChanges(view, first, out);
  // The bytes of one step down once the steps have begun (the iterations
  // alternate between a step down and a step up, and the count must not
  // depend on how many there are).
  RenderChanges(view, second, out);
  RenderChanges(view, first, out);
  out.clear();
  RenderChanges(view, second, out);
  std::size_t stepDown = out.size();
  RenderChanges(view, first, out);
  bool toSecond = false;
  for (auto _ : state) {
    out.clear();
    RenderChanges(view, toSecond ? second : first, out);
    toSecond = !toSecond;
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes"] = static_cast<double>(stepDown);
}
BENCHMARK(BM_ListScrollsOneRow);

}  // namespace

BENCHMARK_MAIN();
