// The list window of the games list and the file viewer: scroll bars,
// scroll keys and scroll arrows.

#include "ui/list_window.h"

#include <algorithm>

#include "console/colours.h"
#include "console/keys.h"
#include "ui/frame.h"
#include "ui/layout.h"

namespace zeb {

namespace {

// One step of a scroll position towards the start (-1) or the end (+1),
// taken only while the position is short of that end.
void Step(int32_t& position, int step, int last) {
  if (step < 0 ? position > 0 : position < last) position += step;
}

void StepRows(ListWindow& window, int step) { Step(window.TopLine, step, window.EntryCount - WindowRows); }
void StepColumns(ListWindow& window, int step) { Step(window.ColumnOffset, step, MaxColumnOffset); }

// The pauses of a held click on the arrows: the outer vertical ones, the
// inner vertical ones, the horizontal ones.
constexpr int OuterArrowPause = 1;
constexpr int InnerArrowPause = 30;
constexpr int SideArrowPause = 20;

// A wheel notch scrolls this many rows.
constexpr int WheelRows = 3;

}  // namespace

void DrawScrollBars(Console& console) {
  console.PutText("\x11", {WindowLeft, ScrollBarRow}, {Blue, White});
  FillBox(console, Fill::Shaded, {WindowLeft + 1, ScrollBarRow}, {WindowRight - 1, ScrollBarRow}, {LightGrey, White});
  console.PutText("\x10", {WindowRight, ScrollBarRow}, {Blue, White});
  console.PutText("\x1E", {ScrollBarColumn, HeadingRow}, {LightRed, White});
  console.PutText("\x1E", {ScrollBarColumn, WindowTop}, {Blue, White});
  FillBox(console, Fill::Shaded, {ScrollBarColumn, WindowTop + 1}, {ScrollBarColumn, WindowBottom - 1},
          {LightGrey, White});
  console.PutText("\x1F", {ScrollBarColumn, WindowBottom}, {Blue, White});
  console.PutText("\x1F", {ScrollBarColumn, ScrollBarRow}, {LightRed, White});
}

void ScrollByKey(ListWindow& window, unsigned char code) {
  switch (code) {
    case Key::Home:
      window.TopLine = 0;
      break;
    case Key::Up:
      StepRows(window, -1);
      break;
    case Key::Left:
      StepColumns(window, -1);
      break;
    case Key::Right:
      StepColumns(window, +1);
      break;
    case Key::End:
      window.TopLine = window.EntryCount >= WindowRows ? window.EntryCount - WindowRows : 0;
      break;
    case Key::Down:
      StepRows(window, +1);
      break;
    default:
      break;
  }
}

bool ClickScrollArrow(Console& console, ListWindow& window, Point at) {
  // The arrows: a held click repeats at the rate of these pauses.
  const int c = at.Column;
  const int r = at.Row;
  bool hit = false;
  if (c == WindowLeft && r == ScrollBarRow) {
    console.Pause(SideArrowPause);
    StepColumns(window, -1);
    hit = true;
  }
  if (c == WindowRight && r == ScrollBarRow) {
    console.Pause(SideArrowPause);
    StepColumns(window, +1);
    hit = true;
  }
  if (c == ScrollBarColumn && r == HeadingRow) {
    console.Pause(OuterArrowPause);
    StepRows(window, -1);
    hit = true;
  }
  if (c == ScrollBarColumn && (r == WindowTop || r == WindowBottom)) {
    console.Pause(InnerArrowPause);
    StepRows(window, r == WindowTop ? -1 : +1);
    hit = true;
  }
  if (c == ScrollBarColumn && r == ScrollBarRow) {
    console.Pause(OuterArrowPause);
    StepRows(window, +1);
    hit = true;
  }
  return hit;
}

void ScrollByWheel(ListWindow& window, int notches) {
  if (window.EntryCount <= 0) return;
  // As that many steps of an arrow: each taken only while short of the end.
  const int32_t last = window.EntryCount - WindowRows;
  const long long rows = static_cast<long long>(notches) * WheelRows;
  if (rows > 0 && window.TopLine < last) {
    window.TopLine = static_cast<int32_t>(std::min<long long>(window.TopLine + rows, last));
  } else if (rows < 0 && window.TopLine > 0) {
    window.TopLine = static_cast<int32_t>(std::max<long long>(window.TopLine + rows, 0));
  }
}

}  // namespace zeb
