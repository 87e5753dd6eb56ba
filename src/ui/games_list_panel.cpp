// The games list as a screen: its body, its panel ("Run Game", "Refresh
// List!", the filter, the counts and the headings of the selected game's
// details), the clicks on both, and the launch from it.

#include <algorithm>

#include "console/colours.h"
#include "emulator/launch.h"
#include "gamedb/gamedb.h"
#include "storage/numbers.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/list_window.h"

namespace zeb {

namespace {

constexpr int FilterRow = 9;

// The three counts under their headings, each written over the black box
// of its row drawn anew: a shorter number leaves no digit of a longer one
// behind.
void DrawGameCounts(Console& console, const GameTable& games) {
  const long long counts[] = {games.GameCount, games.AvailableCount,
                              static_cast<long long>(games.GameCount) - games.AvailableCount};
  int row = 12;
  for (long long count : counts) {
    FillBox(console, 0, White, Black, PanelColumn, row, PanelLastColumn, row);
    console.PutText(IntText(count), PanelColumn, row, White, Black);
    row += 2;
  }
}

// The emulator runs on a black screen; afterwards the whole screen is drawn
// anew as the games list, panel and body, also after a launch from the
// viewer.
class GamesListLaunchScreen final : public LaunchScreen {
 public:
  explicit GamesListLaunchScreen(Session& session) : session_(session) {}
  void Clear() override { FillBox(session_.console, 0, White, Black, 1, 1, ScreenWidth, ScreenHeight); }
  void Redraw() override {
    session_.navigation.CurrentScreen = Screen::GamesList;
    session_.options.OptionsPage = Page::None;
    RedrawScreen(session_);
  }

 private:
  Session& session_;
};

Outcome RunGame(Session& session, int) {
  // "Run Game" never runs a game listed as missing.
  const GamesList& list = session.list;
  if (list.ListFilter != Filter::Missing && list.SelectedEntry > 0 && list.SelectedGame > 0) {
    LaunchSelectedGame(session);
  }
  return Outcome::Done();
}

Outcome RefreshList(Session& session, int) {
  if (!ConfirmBox(session, ConfirmRow, ConfirmColumn)) return Outcome::Done();
  Console& console = session.console;
  // The table is read anew: a search open on the old one ends.
  CloseSearch(session.list, session.games, session.settings, console);
  FillBox(console, 0, White, Black, 1, 1, ScreenWidth, ScreenHeight);
  console.PutText("Refreshing Games List...", 1, 1, White, Black);
  // Let the message reach the screen before the scan, which takes a while.
  console.Pause(0);
  ScanRomAvailability(session.games, session.settings, console);
  SaveSettings(session.settings, session.games);
  LoadSettings(session.settings, session.games);
  RebuildList(session.list, session.games, session.settings, session.list.ListFilter);
  RedrawScreen(session);
  return Outcome::Done();
}

constexpr PanelButton Buttons[] = {
    {5, "Run Game", Yellow, Black, RunGame},
    {7, "Refresh List!", Magenta, White, RefreshList},
};

// The filter button: its triangles step the filter, its caption applies the
// same filter again. The window and the selection go to the first entry.
Outcome ChangeFilter(Session& session, int c) {
  GamesList& list = session.list;
  auto filter = static_cast<int32_t>(list.ListFilter);
  if (c == PanelColumn && filter > static_cast<int32_t>(Filter::AllGames)) {
    --filter;
  } else if (c == PanelLastColumn && filter < static_cast<int32_t>(Filter::Missing)) {
    ++filter;
  }
  list.ListFilter = static_cast<Filter>(filter);
  DrawFilterButton(session.console, list.ListFilter, FilterRow, PanelColumn);
  RebuildList(list, session.games, session.settings, list.ListFilter);
  DrawGameCounts(session.console, session.games);
  session.console.Pause(150);
  list.Window.TopLine = 0;
  list.Window.ColumnOffset = 0;
  list.SelectedEntry = 1;
  list.SelectedGame = list.Window.EntryCount > 0 ? list.ViewList[1].GameNumber : 0;
  return Outcome::RedrawWindow();
}

}  // namespace

void LaunchSelectedGame(Session& session) {
  GamesListLaunchScreen screen(session);
  LaunchGame(session.list.SelectedGame, session.games, session.settings, session.console, screen, session.emulator);
}

void ShowGamesList(Session& session) {
  GamesList& list = session.list;
  RebuildList(list, session.games, session.settings, list.ListFilter);
  // The panel, drawn before, shows the counts as the rebuild made them.
  DrawGameCounts(session.console, session.games);
  // The highlight stays on the game that Enter runs.
  FollowSelectedGame(list);
  list.Window.TopLine = PlaceWindow(list);
  DrawListPage(session.console, list, session.games);
}

void DrawGamesListPanel(Console& console, const GamesList& list, const GameTable& games) {
  DrawPanelButtons(console, Buttons);
  DrawFilterButton(console, list.ListFilter, FilterRow, PanelColumn);
  FillBox(console, 0, White, Black, PanelColumn, 11, PanelLastColumn, 24);
  console.PutText("# of Games:     ", PanelColumn, 11, White, Brown);
  console.PutText("Games Available ", PanelColumn, 13, Black, Yellow);
  console.PutText("Games Missing   ", PanelColumn, 15, Black, LightCyan);
  DrawGameCounts(console, games);
  console.PutText("Clone Of        ", PanelColumn, 17, White, Blue);
  console.PutText("# of Cheats     ", PanelColumn, 19, White, Red);
  console.PutText("Category        ", PanelColumn, 21, White, Green);
}

Outcome ClickGamesListPanel(Session& session, int column, int row) {
  if (row == FilterRow) return ChangeFilter(session, column);
  return ClickPanelButton(session, Buttons, column, row);
}

Outcome ClickListRow(GamesList& list, int row) {
  const int32_t entries = list.Window.EntryCount;
  int i = list.Window.TopLine + row - (WindowTop - 1);
  // Below the last entry the last entry is selected.
  if (i >= 1 && i <= entries && list.ViewList[i].GameNumber > 0) {
    list.SelectedGame = list.ViewList[i].GameNumber;
  } else {
    list.SelectedGame = list.ViewList[entries].GameNumber;
  }
  list.SelectedEntry = std::clamp(i, 1, entries);
  return Outcome::RedrawWindow();
}

}  // namespace zeb
