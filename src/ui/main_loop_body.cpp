// The body of each screen: the list window with its scroll bars on the games
// list and the file viewer, the options pages on the options screen.

#include "console/colours.h"
#include "console/console.h"
#include "core/state.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

void DrawScrollBars() {
  PutText("\x11", 2, 25, Blue, White);
  FillBox(1, White, LightGrey, 3, 25, 60, 25);
  PutText("\x10", 61, 25, Blue, White);
  PutText("\x1E", 62, 3, LightRed, White);
  PutText("\x1E", 62, 4, Blue, White);
  FillBox(1, White, LightGrey, 62, 5, 62, 23);
  PutText("\x1F", 62, 24, Blue, White);
  PutText("\x1F", 62, 25, LightRed, White);
}

}  // namespace

void DrawScreenBody(int screen, int page) {
  OptionsPage = page;
  CurrentScreen = screen;
  PanelScreen = screen;

  if (screen == 0 || screen == 2) DrawScrollBars();
  if (screen == 2) PutText("Text Viewer                                                 ", 2, 3, White, Magenta);
  if (screen == 0) {
    RebuildList(ListFilter);
    DrawListPage(SelectedEntry, PlaceWindow(), ColumnOffset);
  }
  if (screen == 1) DrawOptionsPage(page);
  if (screen == 2) {
    // The viewer opens on the picture; a file button shows a file.
    FillBox(0, White, 0, 2, 4, 61, 24);
    DrawPicture(3, 6, 0xDB);
  }
}

}  // namespace zeb
