// The whole screen drawn from the records, and the screen shown anew.

#include "ui/screen.h"

#include "console/colours.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

void DrawPanel(Console& console, Screen screen, const GamesList& list, const GameTable& games) {
  DrawButton(console, ScreenCaption(static_cast<int>(screen)), {PanelColumn, PanelSwitchRow}, {Black, White},
             ButtonLook::Selected);
  FillBox(console, Fill::Shaded, {PanelColumn, PanelSwitchRow + 1}, {ScreenWidth, ScreenHeight}, {White, Blue});
  switch (screen) {
    case Screen::GamesList: DrawGamesListPanel(console, list, games); break;
    case Screen::Options: DrawOptionsPanel(console); break;
    case Screen::Viewer: DrawViewerPanel(console); break;
  }
}

// The screen while the list is refreshed: black, with the notice at the top
// left (the refresh's progress lines follow below it).
void DrawRefreshNotice(Console& console) {
  FillBox(console, Fill::Solid, {1, 1}, {ScreenWidth, ScreenHeight}, {Black, White});
  console.PutText("Refreshing Games List...", {1, 1}, {White, Black});
}

}  // namespace

void DrawScreen(Console& console, const Session& session) {
  // Only the search shows the cursor (after its text in the heading, where
  // the list page puts it).
  const bool searching = session.navigation.CurrentScreen == Screen::GamesList && session.list.Search.Open;
  console.Screen.CursorVisible = searching && !session.dialog.Refreshing;
  if (session.dialog.Refreshing) {
    DrawRefreshNotice(console);
    return;
  }
  DrawTitle(console, session.games);
  FillBox(console, Fill::Shaded, {1, 2}, {ScreenWidth, ScreenHeight}, {White, Blue});
  DrawPanel(console, session.navigation.PanelScreen, session.list, session.games);
  // The status box's message and a long text field on its row: whichever
  // came later covers the other.
  const OptionsScreen& options = session.options;
  const bool message = session.navigation.PanelScreen == Screen::Options && !options.Message.Empty();
  if (message && options.FieldsOverMessage) DrawConfigMessage(console, options.Message);
  const GamesList& list = session.list;
  const GameTable& games = session.games;
  switch (session.navigation.CurrentScreen) {
    case Screen::GamesList:
      DrawScrollBars(console);
      DrawListPage(console, list, games, session.favourites, session.information.Machines);
      DrawListNotice(console, list);
      break;
    case Screen::Options:
      DrawOptionsPage(console, session.settings, options, options.OptionsPage);
      break;
    case Screen::Viewer:
      DrawScrollBars(console);
      DrawViewerBody(console, session.viewer);
      break;
  }
  if (message && !options.FieldsOverMessage) DrawConfigMessage(console, options.Message);
  if (session.dialog.Asking != Question::None) DrawConfirmBox(console, {ConfirmColumn, ConfirmRow});
}

void ShowScreen(Session& session, Screen screen, Page page) {
  session.options.OptionsPage = page;
  session.navigation.CurrentScreen = screen;
  session.navigation.PanelScreen = screen;
  UpdateCaptions(session.options.Captions, session.settings);
  session.options.Message.Clear();
  switch (screen) {
    case Screen::GamesList: ShowGamesList(session.list, session.games, session.settings); break;
    case Screen::Options: PageShownAnew(session.options); break;
    case Screen::Viewer: session.viewer.PageShown = false; break;  // the viewer opens on its picture
  }
}

}  // namespace zeb
