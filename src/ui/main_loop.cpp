// The main loop: one pass acts on a held left button, on wheel notches and
// on a waiting key.
// A click runs on every pass while the left button is down, so a held click
// repeats at the rate of the pauses of what it acts on.

#include "ui/main_loop.h"

#include <algorithm>

#include "console/console.h"
#include "console/keys.h"
#include "storage/state.h"
#include "emulator/launch.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

bool ShowsListWindow() { return CurrentScreen == GamesListScreen || CurrentScreen == ViewerScreen; }

// The screen switch on the panel's first row, then the buttons of the
// screen's panel.
void ClickPanel(int c, int r) {
  if (r == PanelSwitchRow && c == PanelColumn && CurrentScreen > GamesListScreen) {
    --CurrentScreen;
    ColumnOffset = 0;
    DrawPanel(CurrentScreen);
    DrawScreenBody(CurrentScreen, 1);
  }
  if (r == PanelSwitchRow && c == PanelLastColumn && CurrentScreen < ViewerScreen) {
    FileLoaded = 0;
    ColumnOffset = 0;
    ++CurrentScreen;
    DrawPanel(CurrentScreen);
    DrawScreenBody(CurrentScreen, 1);
  }
  if (c > PanelLastColumn) return;
  switch (PanelScreen) {
    case GamesListScreen: ClickGamesListPanel(c, r); break;
    case OptionsScreen: ClickOptionsPanel(c, r); break;
    case ViewerScreen: ClickViewerPanel(c, r); break;
    default: break;
  }
}

// Moves the window to the first entry that begins with the key's letter.
void JumpToLetter(unsigned char key) {
  if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key - 'A' + 'a');
  int last = std::min(EntryCount, MaxViewEntries);
  for (int i = 1; i <= last; ++i) {
    const ShortString& line = ViewList[i].DisplayLine;
    if (line.Empty() || static_cast<unsigned char>(line[0]) != key) continue;
    TopLine = i - 1;
    // A match near the end shows on the bottom row of a full window.
    if (EntryCount - TopLine < WindowRows) TopLine = std::max(i - WindowRows, 0);
    return;
  }
}

}  // namespace

void MainLoop() {
  QuitRequested = 0;
  while (QuitRequested == 0) {
    if (MouseButton == 1) HandleClick();
    bool keyWaiting = KeyWaiting();
    // A poll ends at a wheel notch as at a key; they never come together.
    int notches = TakeWheelNotches();
    if (notches != 0) ScrollByWheel(notches);
    if (keyWaiting) {
      LastKey = GetKey();
      if (DispatchKey()) return;
    } else if (notches == 0 && MouseButton != 1 && QuitRequested == 0) {
      // Nothing to do until the next key or mouse event: sleep instead of
      // spinning. A held button keeps the loop running, so that the click
      // repeats at the rate its pauses set.
      WaitForInput();
    }
  }
}

void HandleClick() {
  int c = MouseColumn;
  int r = MouseRow;
  if (c == 1 && r == 1 && ConfirmBox(ConfirmRow, ConfirmColumn)) QuitRequested = 1;
  if (c >= PanelColumn && r >= PanelSwitchRow) ClickPanel(c, r);
  if (ShowsListWindow() && EntryCount > 0) ClickListWindow(c, r);
  if (CurrentScreen == OptionsScreen) HandleOptionsClick(c, r);
}

bool DispatchKey() {
  // The key as the loop read it: the answer typed into the confirmation box
  // lands in LastKey but is not dispatched.
  unsigned char key = LastKey;
  if (key == Key::Esc && ConfirmBox(ConfirmRow, ConfirmColumn)) return true;

  if (!ShowsListWindow()) return false;

  if (CurrentScreen == GamesListScreen) JumpToLetter(key);
  if (key == Key::Enter) {
    if (SelectedEntry > 0 && SelectedGame > 0) LaunchGame();
  } else if (key == 0) {
    LastKey = GetKey();
    if (EntryCount > 0) ScrollByKey(LastKey);
  }
  RedrawListWindow();
  return false;
}

}  // namespace zeb
