// The key dispatch of the main loop: Esc, the letter jump, Enter and the
// scroll keys.

#include <algorithm>

#include "console/console.h"
#include "console/keys.h"
#include "core/state.h"
#include "launch/launch.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop_parts.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

constexpr int MaxColumnOffset = 60;

void ScrollByKey(unsigned char code) {
  switch (code) {
    case Key::Home:
      TopLine = 0;
      break;
    case Key::Up:
      if (TopLine > 0) --TopLine;
      break;
    case Key::Left:
      if (ColumnOffset > 0) --ColumnOffset;
      break;
    case Key::Right:
      if (ColumnOffset < MaxColumnOffset) ++ColumnOffset;
      break;
    case Key::End:
      TopLine = EntryCount >= ListWindowRows ? EntryCount - ListWindowRows : 0;
      break;
    case Key::Down:
      if (TopLine < EntryCount - ListWindowRows) ++TopLine;
      break;
    default:
      break;
  }
}

}  // namespace

void RedrawListWindow() {
  if (CurrentScreen == 0) {
    DrawListPage(SelectedEntry, TopLine, ColumnOffset);
  } else if (CurrentScreen == 2 && FileLoaded == 1) {
    DrawTextPage(TopLine, ColumnOffset);
  }
}

void JumpToLetter(unsigned char key) {
  if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key - 'A' + 'a');
  int last = std::min(EntryCount, MaxViewEntries);
  for (int i = 1; i <= last; ++i) {
    const ShortString& line = ViewList[i].DisplayLine;
    if (line.Empty() || static_cast<unsigned char>(line[0]) != key) continue;
    TopLine = i - 1;
    // A match near the end shows on the bottom row of a full window.
    if (EntryCount - TopLine < ListWindowRows) TopLine = std::max(i - ListWindowRows, 0);
    return;
  }
}

bool DispatchKey() {
  // The key as the loop read it: the answer typed into the confirmation box
  // lands in LastKey but is not dispatched.
  unsigned char key = LastKey;
  if (key == Key::Esc && ConfirmBox(12, 30)) return true;

  if (CurrentScreen != 0 && CurrentScreen != 2) return false;

  if (CurrentScreen == 0) JumpToLetter(key);
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
