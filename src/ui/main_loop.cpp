// The main loop: one pass acts on a held left button, on wheel notches and
// on a waiting key; then on what they did.
// A click runs on every pass while the left button is down, so a held click
// repeats at the rate of the pauses of what it acts on.

#include "ui/main_loop.h"

#include <algorithm>

#include "console/keys.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

bool ShowsListWindow(const Navigation& navigation) {
  return navigation.CurrentScreen == Screen::GamesList || navigation.CurrentScreen == Screen::Viewer;
}

// A step of the screen switch: every switch shows the text from its first
// column and the options screen on its first page; one to the right opens
// the viewer on its picture.
void SwitchScreen(Session& session, int step) {
  // Leaving the games list ends its search.
  CloseSearch(session.list, session.games, session.settings, session.console);
  session.list.Window.ColumnOffset = 0;
  session.viewer.Window.ColumnOffset = 0;
  if (step > 0) session.viewer.FileLoaded = false;
  Screen screen = static_cast<Screen>(static_cast<int32_t>(session.navigation.CurrentScreen) + step);
  session.navigation.CurrentScreen = screen;
  ShowPanel(session, screen);
  ShowScreen(session, screen, Page::Paths);
}

// The screen switch on the panel's first row, then the buttons of the
// screen's panel.
Outcome ClickPanel(Session& session, int c, int r) {
  Outcome outcome;
  const Navigation& navigation = session.navigation;
  if (r == PanelSwitchRow && c == PanelColumn && navigation.CurrentScreen != Screen::GamesList) {
    SwitchScreen(session, -1);
    outcome = Outcome::Done();
  }
  if (r == PanelSwitchRow && c == PanelLastColumn && navigation.CurrentScreen != Screen::Viewer) {
    SwitchScreen(session, +1);
    outcome = Outcome::Done();
  }
  if (c > PanelLastColumn) return outcome;
  switch (navigation.PanelScreen) {
    case Screen::GamesList: outcome |= ClickGamesListPanel(session, c, r); break;
    case Screen::Options: outcome |= ClickOptionsPanel(session, c, r); break;
    case Screen::Viewer: outcome |= ClickViewerPanel(session, c, r); break;
  }
  return outcome;
}

// Moves the window to the first entry that begins with the key's letter.
void JumpToLetter(GamesList& list, const GameTable& games, unsigned char key) {
  if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key - 'A' + 'a');
  const int32_t entries = list.Window.EntryCount;
  int last = std::min(entries, MaxViewEntries);
  for (int i = 1; i <= last; ++i) {
    unsigned char first = FirstCharacter(list.ViewList[i], games);
    if (first == 0 || first != key) continue;
    list.Window.TopLine = i - 1;
    // A match near the end shows on the bottom row of a full window.
    if (entries - list.Window.TopLine < WindowRows) list.Window.TopLine = std::max(i - WindowRows, 0);
    return;
  }
}

// The keys that open the search on the games list: "/" and F3.
constexpr unsigned char SearchKey = '/';
constexpr unsigned char SearchFunctionKey = Key::F1 + 2;

bool Typable(unsigned char key) { return (key >= 32 && key <= 126) || key >= 128; }

// A key while the search is open: typed characters and Backspace change the
// text, Esc (and Backspace on an empty text) closes it; Enter and the scroll
// keys act on the matches as on the whole list.
Outcome SearchKeyPress(Session& session, unsigned char key) {
  GamesList& list = session.list;
  ShortString& text = list.Search.Text;
  if (key == Key::Esc || (key == Key::Backspace && text.Empty())) {
    CloseSearch(list, session.games, session.settings, session.console);
  } else if (key == Key::Backspace) {
    text = text.View().substr(0, text.Length() - 1);
    SearchAgain(list, session.games, false);
  } else if (Typable(key)) {
    if (text.Length() < ListSearch::MaxLength) {
      text += static_cast<char>(key);
      SearchAgain(list, session.games, true);
    }
  } else if (key == Key::Enter) {
    if (list.SelectedEntry > 0 && list.SelectedGame > 0) LaunchSelectedGame(session);
  } else if (key == 0) {
    unsigned char code = session.console.GetKey();
    if (list.Window.EntryCount > 0) ScrollByKey(list.Window, code);
  }
  return Outcome::RedrawWindow();
}

}  // namespace

void MainLoop(Session& session) {
  while (MainLoopPass(session)) {
  }
}

bool MainLoopPass(Session& session) {
  Console& console = session.console;
  Outcome pass;
  // A held click that neither changes the screen nor sets a pace of its own
  // would change nothing when it ran again: the loop waits for the next
  // input (the pointer moving, the release) instead.
  bool heldInVain = false;
  if (console.MouseButton == 1) {
    const ScreenModel before = console.Screen;
    const long long pauses = console.PauseCount();
    pass = HandleClick(session);
    if (pass.Redraw) RedrawListWindow(session);
    heldInVain = console.PauseCount() == pauses && SameScreen(before, console.Screen);
  }
  bool keyWaiting = console.KeyWaiting();
  // The wheel notches of this poll, added up: one scroll, then the key.
  int notches = console.TakeWheelNotches();
  if (notches != 0 && ScrollByWheel(session, notches).Redraw) RedrawListWindow(session);
  if (keyWaiting) {
    Outcome key = DispatchKey(session, console.GetKey());
    if (key.Quit) return false;
    if (key.Redraw) RedrawListWindow(session);
  } else if (notches == 0 && (console.MouseButton != 1 || heldInVain) && !pass.Quit) {
    // Nothing to do until the next key or mouse event: sleep instead of
    // spinning. A held button that does something keeps the loop running,
    // so that the click repeats at the rate its pauses set.
    console.WaitForInput();
  }
  // The close mark's yes ends the loop when the pass is over.
  return !pass.Quit;
}

Outcome HandleClick(Session& session) {
  const int c = session.console.MouseColumn;
  const int r = session.console.MouseRow;
  Outcome outcome;
  // After a no, the list window too shows again what it showed: the
  // viewer's file, not the picture that the redrawn screen puts there.
  if (c == 1 && r == 1) {
    outcome |= ConfirmBox(session, ConfirmRow, ConfirmColumn) ? Outcome::Quitting() : Outcome::RedrawWindow();
  }
  if (c >= PanelColumn && r >= PanelSwitchRow) outcome |= ClickPanel(session, c, r);
  if (ShowsListWindow(session.navigation) && WindowOnDisplay(session).EntryCount > 0) {
    outcome |= ClickListWindow(session, c, r);
  }
  if (session.navigation.CurrentScreen == Screen::Options) outcome |= HandleOptionsClick(session, c, r);
  return outcome;
}

Outcome DispatchKey(Session& session, unsigned char key) {
  const bool onGamesList = session.navigation.CurrentScreen == Screen::GamesList;
  if (onGamesList && session.list.Search.Open) return SearchKeyPress(session, key);
  if (onGamesList && key == SearchKey) {
    OpenSearch(session.list, session.games);
    return Outcome::RedrawWindow();
  }

  // The key as the loop read it: the answer typed into the confirmation box
  // is not dispatched.
  if (key == Key::Esc && ConfirmBox(session, ConfirmRow, ConfirmColumn)) return Outcome::Quitting();

  if (!ShowsListWindow(session.navigation)) return Outcome::Ignored();

  GamesList& list = session.list;
  if (session.navigation.CurrentScreen == Screen::GamesList) JumpToLetter(list, session.games, key);
  if (key == Key::Enter) {
    if (list.SelectedEntry > 0 && list.SelectedGame > 0) LaunchSelectedGame(session);
  } else if (key == 0) {
    unsigned char code = session.console.GetKey();
    if (session.navigation.CurrentScreen == Screen::GamesList && code == SearchFunctionKey) {
      OpenSearch(list, session.games);
      return Outcome::RedrawWindow();
    }
    ListWindow& window = WindowOnDisplay(session);
    if (window.EntryCount > 0) ScrollByKey(window, code);
  }
  // Every key on the list window has it drawn again.
  return Outcome::RedrawWindow();
}

}  // namespace zeb
