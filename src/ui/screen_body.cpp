// The body of each screen: the list window with its scroll bars on the games
// list and the file viewer, the page on the options screen.

#include "console/console.h"
#include "storage/state.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

void DrawScreenBody(int screen, int page) {
  OptionsPage = page;
  CurrentScreen = screen;
  PanelScreen = screen;
  switch (screen) {
    case GamesListScreen:
      DrawScrollBars();
      DrawGamesListBody();
      break;
    case OptionsScreen:
      DrawOptionsPage(page);
      break;
    case ViewerScreen:
      DrawScrollBars();
      DrawViewerBody();
      break;
    default:
      break;
  }
}

}  // namespace zeb
