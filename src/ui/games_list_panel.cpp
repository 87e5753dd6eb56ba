// The games list as a screen: its body, its panel ("Run Game", "Refresh
// List!", the filter, the counts and the headings of the selected game's
// details), the clicks on both, and the screen that a launch leaves and
// finds again.

#include <algorithm>

#include "console/colours.h"
#include "console/console.h"
#include "storage/state.h"
#include "gamedb/gamedb.h"
#include "emulator/launch.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"

namespace zeb {

namespace {

constexpr int FilterRow = 9;

void RunGame(int) {
  // "Run Game" never runs a game listed as missing.
  if (ListFilter < 3 && SelectedEntry > 0 && SelectedGame > 0) LaunchGame();
}

void RefreshList(int) {
  if (!ConfirmBox(ConfirmRow, ConfirmColumn)) return;
  FillBox(0, White, Black, 1, 1, ScreenWidth, ScreenHeight);
  PutText("Refreshing Games List...", 1, 1, White, Black);
  // Let the message reach the screen before the scan, which takes a while.
  Pause(0);
  ScanRomAvailability();
  SaveSettings();
  LoadSettings();
  RebuildList(ListFilter);
  RedrawScreen();
}

constexpr PanelButton Buttons[] = {
    {5, "Run Game", Yellow, Black, RunGame},
    {7, "Refresh List!", Magenta, White, RefreshList},
};

// The filter button: its triangles step the filter, its caption applies the
// same filter again.
void ChangeFilter(int c) {
  if (c == PanelColumn && ListFilter > 1) {
    --ListFilter;
  } else if (c == PanelLastColumn && ListFilter < 3) {
    ++ListFilter;
  }
  DrawFilterButton(FilterRow, PanelColumn);
  RebuildList(ListFilter);
  Pause(150);
  TopLine = 0;
  ColumnOffset = 0;
  SelectedEntry = 1;
  SelectedGame = EntryCount > 0 ? GameNumberOf(1) : 0;
  DrawListPage(1, 0, ColumnOffset);
}

// The emulator runs on a black screen; afterwards the games list is drawn
// anew.
void ClearForLaunch() { FillBox(0, White, Black, 1, 1, ScreenWidth, ScreenHeight); }

void RedrawAfterLaunch() {
  RedrawScreen();
  DrawScreenBody(GamesListScreen, 0);
}

}  // namespace

const LaunchScreen GamesListLaunchScreen = {ClearForLaunch, RedrawAfterLaunch};

void DrawGamesListBody() {
  RebuildList(ListFilter);
  DrawListPage(SelectedEntry, PlaceWindow(), ColumnOffset);
}

void DrawGamesListPanel() {
  DrawPanelButtons(Buttons);
  DrawFilterButton(FilterRow, PanelColumn);
  FillBox(0, White, Black, PanelColumn, 11, PanelLastColumn, 24);
  PutText("# of Games:     ", PanelColumn, 11, White, Brown);
  PutText(IntText(GameCount), PanelColumn, 12, White, Black);
  PutText("Games Available ", PanelColumn, 13, Black, Yellow);
  PutText(IntText(AvailableCount), PanelColumn, 14, White, Black);
  PutText("Games Missing   ", PanelColumn, 15, Black, LightCyan);
  PutText(IntText(static_cast<long long>(GameCount) - AvailableCount), PanelColumn, 16, White, Black);
  PutText("Clone Of        ", PanelColumn, 17, White, Blue);
  PutText("# of Cheats     ", PanelColumn, 19, White, Red);
  PutText("Category        ", PanelColumn, 21, White, Green);
}

void ClickGamesListPanel(int column, int row) {
  if (row == FilterRow) {
    ChangeFilter(column);
  } else {
    ClickPanelButton(Buttons, column, row);
  }
}

void ClickListRow(int row) {
  int i = TopLine + row - (WindowTop - 1);
  // Below the last entry the last entry is selected.
  if (i >= 1 && i <= EntryCount && !ViewList[i].DisplayLine.Empty()) {
    SelectedGame = GameNumberOf(i);
  } else {
    SelectedGame = GameNumberOf(EntryCount);
  }
  SelectedEntry = std::clamp(i, 1, EntryCount);
  DrawListPage(SelectedEntry, TopLine, ColumnOffset);
}

}  // namespace zeb
