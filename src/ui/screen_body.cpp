// The body of each screen: the list window with its scroll bars on the games
// list and the file viewer, the page on the options screen.

#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

void ShowScreen(Session& session, Screen screen, Page page) {
  session.options.OptionsPage = page;
  session.navigation.CurrentScreen = screen;
  session.navigation.PanelScreen = screen;
  switch (screen) {
    case Screen::GamesList:
      DrawScrollBars(session.console);
      ShowGamesList(session);
      break;
    case Screen::Options:
      DrawOptionsPage(session.console, session.settings, session.options.Captions, page);
      break;
    case Screen::Viewer:
      DrawScrollBars(session.console);
      DrawViewerBody(session.console);
      break;
  }
}

}  // namespace zeb
