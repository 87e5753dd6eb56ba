// The games list's panel ("Run Game", "Refresh List!", the filter, the
// counts and the headings of the selected game's details), the clicks on it
// and on the rows, and the launch from the list.

#include <algorithm>

#include "console/colours.h"
#include "emulator/launch.h"
#include "storage/numbers.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/screen.h"

namespace zeb {

namespace {

constexpr PanelButton Buttons[] = {
    {RunGameRow, "Run Game", {Black, Yellow}, ButtonAction::RunGame},
    {RefreshRow, "Refresh List!", {White, Magenta}, ButtonAction::AskToRefresh},
    {FilterRow, nullptr, {Black, White}, ButtonAction::ChangeFilter},  // drawn as the filter's name
};

// The three counts under their headings, each written over the black box
// of its row drawn anew: a shorter number leaves no digit of a longer one
// behind.
void DrawGameCounts(Console& console, const GameTable& games) {
  const long long counts[] = {games.GameCount, games.AvailableCount,
                              static_cast<long long>(games.GameCount) - games.AvailableCount};
  int row = GameCountRow;
  for (long long count : counts) {
    FillBox(console, Fill::Solid, {PanelColumn, row}, {PanelLastColumn, row}, {Black, White});
    console.PutText(IntText(count), {PanelColumn, row}, {White, Black});
    row += 2;
  }
}

// The emulator runs on a black screen; afterwards the games list is shown
// anew, panel and body, also after a launch from the viewer.
class GamesListLaunchScreen final : public LaunchScreen {
 public:
  explicit GamesListLaunchScreen(Session& session) : session_(session) {}
  void Clear() override {
    FillBox(session_.console, Fill::Solid, {1, 1}, {ScreenWidth, ScreenHeight}, {Black, White});
  }
  void Redraw() override {
    ShowScreen(session_, Screen::GamesList, Page::None);
    DrawScreen(session_.console, session_);
  }

 private:
  Session& session_;
};

}  // namespace

const std::span<const PanelButton> GamesListButtons = Buttons;

bool RunsSelectedGame(const GamesList& list, LaunchFrom from) {
  if (from == LaunchFrom::RunGameButton && list.ListFilter == Filter::Missing) return false;
  return list.SelectedEntry > 0 && list.SelectedGame > 0;
}

bool LaunchSelectedGame(Session& session) {
  GamesListLaunchScreen screen(session);
  // With the machine information the game has been judged runnable.
  const bool judged = session.information.Machines.Of(session.list.SelectedGame) != nullptr;
  return LaunchGame(session.list.SelectedGame, session.games, session.settings, session.console, screen,
                    session.emulator, judged);
}

void DrawGamesListPanel(Console& console, const GamesList& list, const GameTable& games) {
  DrawPanelButtons(console, Buttons);
  DrawFilterButton(console, list.ListFilter, {PanelColumn, FilterRow});
  FillBox(console, Fill::Solid, {PanelColumn, PanelBoxTop}, {PanelLastColumn, PanelBoxBottom}, {Black, White});
  console.PutText("# of Games:     ", {PanelColumn, GameCountRow - 1}, {White, Brown});
  console.PutText("Games Available ", {PanelColumn, AvailableCountRow - 1}, {Black, Yellow});
  console.PutText("Games Missing   ", {PanelColumn, MissingCountRow - 1}, {Black, LightCyan});
  DrawGameCounts(console, games);
  console.PutText("Clone Of        ", {PanelColumn, CloneOfRow - 1}, {White, Blue});
  console.PutText("# of Cheats     ", {PanelColumn, CheatCountRow - 1}, {White, Red});
  console.PutText("Category        ", {PanelColumn, CategoryRow - 1}, {White, Green});
}

void ChangeFilter(Console& console, GamesList& list, GameTable& games, const Settings& settings, int column) {
  auto filter = static_cast<int32_t>(list.ListFilter);
  if (column == PanelColumn && filter > static_cast<int32_t>(Filter::AllGames)) {
    --filter;
  } else if (column == PanelLastColumn && filter < static_cast<int32_t>(Filter::Missing)) {
    ++filter;
  }
  list.ListFilter = static_cast<Filter>(filter);
  RebuildList(list, games, settings, list.ListFilter);
  console.Pause(150);
  list.Window.TopLine = 0;
  list.Window.ColumnOffset = 0;
  list.SelectedEntry = 1;
  list.SelectedGame = list.Window.EntryCount > 0 ? list.ViewList[1].GameNumber : 0;
}

void ClickListRow(GamesList& list, int row) {
  const int32_t entries = list.Window.EntryCount;
  int i = list.Window.TopLine + row - (WindowTop - 1);
  // Below the last entry the last entry is selected.
  if (i >= 1 && i <= entries && list.ViewList[i].GameNumber > 0) {
    list.SelectedGame = list.ViewList[i].GameNumber;
  } else {
    list.SelectedGame = list.ViewList[entries].GameNumber;
  }
  list.SelectedEntry = std::clamp(i, 1, entries);
}

}  // namespace zeb
