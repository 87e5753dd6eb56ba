// The click dispatch of the main loop: the close mark, the panel's screen
// switch and buttons, the list rows and the scroll arrows, and the options
// page. It runs on every pass while the left button is down, so a held
// click repeats at the rate of the pauses below.

#include <algorithm>

#include "console/colours.h"
#include "console/console.h"
#include "core/state.h"
#include "gamedb/gamedb.h"
#include "launch/launch.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop.h"
#include "ui/main_loop_parts.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

constexpr int MaxColumnOffset = 60;

// Where the configuration buttons leave their 13-character messages.
void ShowConfigMessage(std::string_view message) { PutText(message, 66, 22, White, Black); }

// The window row r (4 to 24) of the games list was clicked.
void ClickRow(int r) {
  int i = TopLine + r - 3;
  // Below the last entry the last entry is selected.
  if (i >= 1 && i <= EntryCount && !ViewList[i].DisplayLine.Empty()) {
    SelectedGame = GameNumberOf(i);
  } else {
    SelectedGame = GameNumberOf(EntryCount);
  }
  SelectedEntry = std::clamp(i, 1, EntryCount);
  DrawListPage(SelectedEntry, TopLine, ColumnOffset);
}

// The filter button: its triangles step the filter, its caption applies the
// same filter again.
void ChangeFilter(int c) {
  if (c == 64 && ListFilter > 1) {
    --ListFilter;
  } else if (c == 79 && ListFilter < 3) {
    ++ListFilter;
  }
  DrawFilterButton(9, 64);
  RebuildList(ListFilter);
  Pause(150);
  TopLine = 0;
  ColumnOffset = 0;
  SelectedEntry = 1;
  SelectedGame = EntryCount > 0 ? GameNumberOf(1) : 0;
  DrawListPage(1, 0, ColumnOffset);
}

void RefreshList() {
  if (!ConfirmBox(12, 30)) return;
  FillBox(0, 15, 0, 1, 1, 80, 25);
  PutText("Refreshing Games List...", 1, 1, White, Black);
  // Let the message reach the screen before the scan, which takes a while.
  Pause(0);
  ScanRomAvailability();
  SaveSettings();
  LoadSettings();
  RebuildList(ListFilter);
  RedrawScreen();
}

void ViewFile(std::string_view name) {
  LoadTextFile(name);
  DrawTextPage(TopLine, ColumnOffset);
}

void ClickGamesListButton(int c, int r) {
  switch (r) {
    case 5:
      // "Run Game" never runs a game listed as missing.
      if (ListFilter < 3 && SelectedEntry > 0 && SelectedGame > 0) LaunchGame();
      break;
    case 7:
      RefreshList();
      break;
    case 9:
      ChangeFilter(c);
      break;
    default:
      break;
  }
}

void ClickOptionsButton(int r) {
  switch (r) {
    case 5:
      LoadSettings();
      RedrawScreen();
      DrawScreenBody(1, 1);
      ShowConfigMessage("Config Loaded");
      break;
    case 7:
      SaveSettings();
      ShowConfigMessage("Config Saved ");
      break;
    case 19:
      if (ConfirmBox(12, 30)) {
        SetDefaultSettings();
        RedrawScreen();
        DrawScreenBody(1, 1);
        ShowConfigMessage("Config Reset ");
      }
      break;
    default:
      break;
  }
}

void ClickViewerButton(int r) {
  switch (r) {
    case 7: ViewFile("readme.txt"); break;
    case 9: ViewFile("zebhelp.txt"); break;
    case 11: ViewFile("mameguide.txt"); break;
    case 17: ViewFile("mame.txt"); break;
    case 19: ViewFile("whatsnew.txt"); break;
    case 21: ViewFile("gamelist.txt"); break;
    case 23: ViewFile("windows.txt"); break;
    default: break;
  }
}

void ClickPanel(int c, int r) {
  if (r == 3 && c == 64 && CurrentScreen > 0) {
    --CurrentScreen;
    ColumnOffset = 0;
    DrawPanel(CurrentScreen);
    DrawScreenBody(CurrentScreen, 1);
  }
  if (r == 3 && c == 79 && CurrentScreen < 2) {
    FileLoaded = 0;
    ColumnOffset = 0;
    ++CurrentScreen;
    DrawPanel(CurrentScreen);
    DrawScreenBody(CurrentScreen, 1);
  }
  if (c > 79) return;
  switch (PanelScreen) {
    case 0: ClickGamesListButton(c, r); break;
    case 1: ClickOptionsButton(r); break;
    case 2: ClickViewerButton(r); break;
    default: break;
  }
}

void ClickListWindow(int c, int r) {
  if (CurrentScreen == 0 && c >= 2 && c <= 61 && r >= 4 && r <= 24) ClickRow(r);
  if (c == 2 && r == 25) {
    Pause(20);
    if (ColumnOffset > 0) --ColumnOffset;
    RedrawListWindow();
  }
  if (c == 61 && r == 25) {
    Pause(20);
    if (ColumnOffset < MaxColumnOffset) ++ColumnOffset;
    RedrawListWindow();
  }
  if (c == 62 && (r == 3 || r == 4)) {
    Pause(r == 3 ? 1 : 30);
    if (TopLine > 0) --TopLine;
    RedrawListWindow();
  }
  if (c == 62 && (r == 24 || r == 25)) {
    Pause(r == 24 ? 30 : 1);
    if (TopLine < EntryCount - ListWindowRows) ++TopLine;
    RedrawListWindow();
  }
}

}  // namespace

void HandleClick() {
  int c = MouseColumn;
  int r = MouseRow;
  if (c == 1 && r == 1 && ConfirmBox(12, 30)) QuitRequested = 1;
  if (c >= 64 && r >= 3) ClickPanel(c, r);
  if ((CurrentScreen == 0 || CurrentScreen == 2) && EntryCount > 0) ClickListWindow(c, r);
  if (CurrentScreen == 1) HandleOptionsClick(c, r);
}

}  // namespace zeb
