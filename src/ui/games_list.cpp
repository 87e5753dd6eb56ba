// The games list: the filtered view of the game table, the window that shows
// the selected game, and the page with the highlight bar and the details.

#include "ui/games_list.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "console/colours.h"
#include "console/console.h"
#include "storage/short_string.h"
#include "storage/state.h"
#include "gamedb/gamedb.h"
#include "ui/layout.h"

namespace zeb {

namespace {

// The games of the table, never more than it holds.
int TableGames() { return std::clamp(GameCount, 0, MaxGames); }

bool PassesFilter(const GameRecord& game, int filter) {
  switch (filter) {
    case 1: return true;
    case 2: return game.Available == "1";
    case 3: return game.Available == "0";
    default: return false;
  }
}

// `text` without its first `offset` characters.
std::string_view Shifted(std::string_view text, int offset) {
  if (offset <= 0) return text;
  return text.substr(std::min(static_cast<std::size_t>(offset), text.size()));
}

// `text` cut to `width` characters when `cut`, then padded with blanks to
// `width` characters.
ShortString Padded(std::string_view text, int width, bool cut) {
  std::size_t w = static_cast<std::size_t>(width);
  ShortString result = cut && text.size() > w ? text.substr(0, w) : text;
  while (result.Length() < w) result += ' ';
  return result;
}

// View entry `e` for reading: an empty one outside the list. Reading never
// takes memory for entries that were never filled.
const ViewEntry& EntryAt(int e) {
  static const ViewEntry NoEntry;
  return e >= 1 && e <= MaxViewEntries ? std::as_const(ViewList)[e] : NoEntry;
}

bool ShowsAnyEntry(int top) {
  for (int r = 1; r <= WindowRows; ++r) {
    if (!EntryAt(top + r).DisplayLine.Empty()) return true;
  }
  return false;
}

// The driver name padded with blanks to 10 characters (a longer one is not
// cut), then the description.
void SetDisplayLine(ShortString& line, const GameRecord& game) {
  char text[2 * ShortString::Capacity];
  std::size_t n = game.DriverName.View().copy(text, ShortString::Capacity);
  while (n < 10) text[n++] = ' ';
  n += game.Description.View().copy(text + n, ShortString::Capacity);
  line = std::string_view(text, n);
}

void BlankDetails() {
  for (int row : {18, 20, 22, 23}) PutText("                ", PanelColumn, row, White, Black);
}

void DrawDetails(const GameRecord& game) {
  PutText(Padded(game.CloneOf, 14, false), PanelColumn, 18, White, Black);

  if (game.CheatCount.Empty()) {
    PutText("               ", PanelColumn, 20, White, Black);
  } else {
    ShortString cheats = game.CheatCount;
    cheats += "  ";
    PutText(cheats, PanelColumn, 20, White, Black);
  }

  std::string_view category = game.Category;
  std::size_t blank = category.find(' ');
  PutText(Padded(category.substr(0, blank), 15, false), PanelColumn, 22, White, Black);

  std::size_t slash = category.find('/');
  if (slash == std::string_view::npos) {
    PutText("               ", PanelColumn, 23, White, Black);
  } else {
    // The subcategory starts after the slash and the blank that follows it.
    std::size_t start = std::min(slash + 2, category.size());
    PutText(Padded(category.substr(start), 16, true), PanelColumn, 23, White, Black);
  }
}

}  // namespace

void RebuildList(int filter) {
  int games = TableGames();
  AvailableCount = 0;
  for (int i = 1; i <= games; ++i) {
    GameRecord& game = Games[i];
    if (AlternativeArchiveExists(game.DriverName)) game.Available = "1";
    if (!(game.Available == "0")) ++AvailableCount;
  }

  ListHeader = "Driver    Game Name";
  while (ListHeader.Length() < 62) ListHeader += ' ';

  int count = 0;
  for (int i = 1; i <= games; ++i) {
    const GameRecord& game = Games[i];
    if (!PassesFilter(game, filter)) continue;
    ViewEntry& entry = ViewList[++count];
    SetDisplayLine(entry.DisplayLine, game);
    entry.GameNumber = IntText(i);
    entry.CloneMark = game.CloneOf.Empty() ? "0" : "1";
  }
  EntryCount = count;

  // A shorter filtered list must not leave rows of a longer one behind.
  // Entries past the last one ever filled are empty already.
  if (filter != 1) {
    int filled = std::min(games, ViewList.Used());
    for (int e = count + 1; e <= filled; ++e) ViewList[e].DisplayLine.Clear();
  }
}

int PlaceWindow() {
  int lastWindow = EntryCount <= WindowRows ? 0 : EntryCount - WindowRows;
  ShortString wanted = IntText(SelectedGame);
  for (int e = 1; e <= EntryCount && e <= MaxViewEntries; ++e) {
    if (ViewList[e].GameNumber == wanted) return std::min(e - 1, lastWindow);
  }
  return lastWindow;
}

void DrawListPage(int selected, int top, int columnOffset) {
  TopLine = top;

  // The heading is cut to the list's width but not padded.
  PutText(Shifted(ListHeader, columnOffset).substr(0, WindowColumns), WindowLeft, HeadingRow, Black, LightGreen);

  for (int r = 1; r <= WindowRows; ++r) {
    int e = top + r;
    const ViewEntry& entry = EntryAt(e);
    ShortString text = Padded(Shifted(entry.DisplayLine, columnOffset), WindowColumns, true);
    int colour = entry.CloneMark == "0" ? White : LightGrey;
    if (e == selected && EntryCount > 0) {
      PutText(text, WindowLeft, WindowTop + r - 1, Black, colour);
    } else {
      PutText(text, WindowLeft, WindowTop + r - 1, colour, Black);
    }
  }

  if (EntryCount <= 0) {
    BlankDetails();
  } else if (ShowsAnyEntry(top)) {
    // A selection beyond the list (left by a refresh that shortened it)
    // shows no game.
    int game = selected >= 1 && selected <= EntryCount ? GameNumberOf(selected) : 0;
    if (game >= 1 && game <= TableGames()) {
      DrawDetails(Games[game]);
    } else {
      BlankDetails();
    }
  }
}

}  // namespace zeb
