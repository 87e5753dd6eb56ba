// The list window of the games list and the file viewer: scroll bars,
// scroll keys and scroll arrows.

#include "ui/list_window.h"

#include "console/colours.h"
#include "console/console.h"
#include "console/keys.h"
#include "storage/state.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

// One step of a scroll position towards the start (-1) or the end (+1),
// taken only while the position is short of that end.
void Step(int32_t& position, int step, int last) {
  if (step < 0 ? position > 0 : position < last) position += step;
}

void StepRows(int step) { Step(TopLine, step, EntryCount - WindowRows); }
void StepColumns(int step) { Step(ColumnOffset, step, MaxColumnOffset); }

// The pauses of a held click on the arrows: the outer vertical ones, the
// inner vertical ones, the horizontal ones.
constexpr int OuterArrowPause = 1;
constexpr int InnerArrowPause = 30;
constexpr int SideArrowPause = 20;

// A wheel notch scrolls as this many clicks on an inner arrow.
constexpr int WheelRows = 3;

// One click on an inner vertical arrow (-1 up, +1 down).
void InnerArrowClick(int step) {
  Pause(InnerArrowPause);
  StepRows(step);
  RedrawListWindow();
}

}  // namespace

void DrawScrollBars() {
  PutText("\x11", WindowLeft, ScrollBarRow, Blue, White);
  FillBox(1, White, LightGrey, WindowLeft + 1, ScrollBarRow, WindowRight - 1, ScrollBarRow);
  PutText("\x10", WindowRight, ScrollBarRow, Blue, White);
  PutText("\x1E", ScrollBarColumn, HeadingRow, LightRed, White);
  PutText("\x1E", ScrollBarColumn, WindowTop, Blue, White);
  FillBox(1, White, LightGrey, ScrollBarColumn, WindowTop + 1, ScrollBarColumn, WindowBottom - 1);
  PutText("\x1F", ScrollBarColumn, WindowBottom, Blue, White);
  PutText("\x1F", ScrollBarColumn, ScrollBarRow, LightRed, White);
}

void RedrawListWindow() {
  if (CurrentScreen == GamesListScreen) {
    DrawListPage(SelectedEntry, TopLine, ColumnOffset);
  } else if (CurrentScreen == ViewerScreen && FileLoaded == 1) {
    DrawTextPage(TopLine, ColumnOffset);
  }
}

void ScrollByKey(unsigned char code) {
  switch (code) {
    case Key::Home:
      TopLine = 0;
      break;
    case Key::Up:
      StepRows(-1);
      break;
    case Key::Left:
      StepColumns(-1);
      break;
    case Key::Right:
      StepColumns(+1);
      break;
    case Key::End:
      TopLine = EntryCount >= WindowRows ? EntryCount - WindowRows : 0;
      break;
    case Key::Down:
      StepRows(+1);
      break;
    default:
      break;
  }
}

void ClickListWindow(int c, int r) {
  bool inWindow = c >= WindowLeft && c <= WindowRight && r >= WindowTop && r <= WindowBottom;
  if (CurrentScreen == GamesListScreen && inWindow) ClickListRow(r);
  // The arrows: a held click repeats at the rate of these pauses.
  if (c == WindowLeft && r == ScrollBarRow) {
    Pause(SideArrowPause);
    StepColumns(-1);
    RedrawListWindow();
  }
  if (c == WindowRight && r == ScrollBarRow) {
    Pause(SideArrowPause);
    StepColumns(+1);
    RedrawListWindow();
  }
  if (c == ScrollBarColumn && r == HeadingRow) {
    Pause(OuterArrowPause);
    StepRows(-1);
    RedrawListWindow();
  }
  if (c == ScrollBarColumn && r == WindowTop) InnerArrowClick(-1);
  if (c == ScrollBarColumn && r == WindowBottom) InnerArrowClick(+1);
  if (c == ScrollBarColumn && r == ScrollBarRow) {
    Pause(OuterArrowPause);
    StepRows(+1);
    RedrawListWindow();
  }
}

void ScrollByWheel(int notches) {
  // Where the window shows something: the games list, or the viewer with a
  // file (on its picture the arrows' redraw would show nothing).
  bool games = CurrentScreen == GamesListScreen;
  bool file = CurrentScreen == ViewerScreen && FileLoaded == 1;
  if (!(games || file) || EntryCount <= 0) return;
  int step = notches < 0 ? -1 : +1;
  for (int clicks = (notches < 0 ? -notches : notches) * WheelRows; clicks > 0; --clicks) InnerArrowClick(step);
}

}  // namespace zeb
