// The games list: the filtered view of the game table, the window that shows
// the selected game, and the page with the highlight bar and the details.

#include "ui/games_list.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "console/colours.h"
#include "console/keys.h"
#include "gamedb/gamedb.h"
#include "settings/game_table.h"
#include "storage/short_string.h"
#include "ui/layout.h"

namespace zeb {

namespace {

bool PassesFilter(const GameRecord& game, Filter filter) {
  switch (filter) {
    case Filter::AllGames: return true;
    case Filter::Available: return game.Available == "1";
    case Filter::Missing: return game.Available == "0";
  }
  return false;
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
const ViewEntry& EntryAt(const GamesList& list, int e, const ViewEntry& none) {
  return e >= 1 && e <= MaxViewEntries ? list.ViewList[e] : none;
}


constexpr Colours Details{White, Black};

void BlankDetails(Console& console) {
  for (int row : {CloneOfRow, CheatCountRow, CategoryRow, SubcategoryRow}) {
    console.PutText("                ", {PanelColumn, row}, Details);
  }
}

// What the emulator says of the machine, below the category: the year and
// the maker, and how well it runs.
void DrawMachineDetails(Console& console, const MachineSummary& machine) {
  ShortString made = machine.Year;
  if (!made.Empty() && !machine.Manufacturer.Empty()) made += ' ';
  made += machine.Manufacturer;
  console.PutText(Padded(made, 16, true), {PanelColumn, MachineRow}, Details);
  std::string_view status;
  switch (machine.Status) {
    case DriverStatus::Good: status = "working"; break;
    case DriverStatus::Imperfect: status = "imperfect"; break;
    case DriverStatus::Preliminary: status = "not working"; break;
    case DriverStatus::Unknown: break;
  }
  console.PutText(Padded(status, 16, true), {PanelColumn, MachineStatusRow}, Details);
}

void DrawDetails(Console& console, const GameRecord& game) {
  console.PutText(Padded(game.CloneOf, 14, false), {PanelColumn, CloneOfRow}, Details);

  if (game.CheatCount.Empty()) {
    console.PutText("               ", {PanelColumn, CheatCountRow}, Details);
  } else {
    ShortString cheats = game.CheatCount;
    cheats += "  ";
    console.PutText(cheats, {PanelColumn, CheatCountRow}, Details);
  }

  std::string_view category = game.Category;
  std::size_t blank = category.find(' ');
  console.PutText(Padded(category.substr(0, blank), 15, false), {PanelColumn, CategoryRow}, Details);

  std::size_t slash = category.find('/');
  if (slash == std::string_view::npos) {
    console.PutText("               ", {PanelColumn, SubcategoryRow}, Details);
  } else {
    // The subcategory starts after the slash and the blank that follows it.
    std::size_t start = std::min(slash + 2, category.size());
    console.PutText(Padded(category.substr(start), 16, true), {PanelColumn, SubcategoryRow}, Details);
  }
}

}  // namespace

ShortString DisplayLine(const ViewEntry& entry, const GameTable& games) {
  if (entry.GameNumber < 1) return ShortString();
  const GameRecord& game = games.Games[entry.GameNumber];
  char text[2 * ShortString::Capacity];
  std::size_t n = game.DriverName.View().copy(text, ShortString::Capacity);
  while (n < 10) text[n++] = ' ';
  n += game.Description.View().copy(text + n, ShortString::Capacity);
  return ShortString(std::string_view(text, n));  // keeps the first 255
}

unsigned char FirstCharacter(const ViewEntry& entry, const GameTable& games) {
  if (entry.GameNumber < 1) return 0;
  const ShortString& driver = games.Games[entry.GameNumber].DriverName;
  return driver.Empty() ? ' ' : static_cast<unsigned char>(driver[0]);
}

namespace {

// The entries of the games the filter (and an open search) lets through;
// the entries after them up to `clearTo` are emptied.
void FillView(GamesList& list, const GameTable& games, Filter filter, int clearTo) {
  int count = TableGames(games);
  int entries = 0;
  auto add = [&](int32_t game, bool clone) {
    ViewEntry& entry = list.ViewList[++entries];
    entry.GameNumber = game;
    entry.CloneMark = clone ? CloneKind::Clone : CloneKind::Parent;
  };
  if (list.Search.Open) {
    // The matches come in their rank's order, all over the table: what the
    // view needs of each is at hand in the search's own small record.
    const std::vector<uint8_t>& facts = list.Search.Facts;
    const uint8_t wanted = filter == Filter::Available ? ListSearch::AvailableFact
                           : filter == Filter::Missing ? ListSearch::MissingFact
                                                       : 0;
    for (int32_t i : list.Search.Matches()) {
      if (i > count || static_cast<std::size_t>(i) >= facts.size()) continue;
      const uint8_t fact = facts[static_cast<std::size_t>(i)];
      if ((fact & wanted) == wanted) add(i, (fact & ListSearch::CloneFact) != 0);
    }
  } else {
    for (int32_t i = 1; i <= count; ++i) {
      const GameRecord& game = std::as_const(games.Games)[i];
      if (PassesFilter(game, filter)) add(i, !game.CloneOf.Empty());
    }
  }
  list.Window.EntryCount = entries;
  for (int e = entries + 1; e <= clearTo; ++e) list.ViewList[e].GameNumber = 0;
}

}  // namespace

void RebuildList(GamesList& list, GameTable& games, const Settings& settings, Filter filter) {
  const int count = TableGames(games);
  if (!list.AvailabilityJudged) MarkAlternativeArchives(games, settings);
  CountAvailableGames(games);

  list.ListHeader = "Driver    Game Name";
  while (list.ListHeader.Length() < 62) list.ListHeader += ' ';

  // A shorter filtered list must not leave rows of a longer one behind.
  // Entries past the last one ever filled are empty already.
  bool clears = filter != Filter::AllGames || list.Search.Open;
  FillView(list, games, filter, clears ? std::min(count, list.ViewList.Used()) : 0);
}

void FollowSelectedGame(GamesList& list) {
  for (int e = 1; e <= list.Window.EntryCount; ++e) {
    if (list.ViewList[e].GameNumber == list.SelectedGame) {
      list.SelectedEntry = e;
      return;
    }
  }
  list.SelectedEntry = 0;
  list.SelectedGame = 0;
}

void OpenSearch(GamesList& list, const GameTable& games, const GameMachines& machines, const Favourites& favourites,
                const PlayedGames& played) {
  ListSearch& search = list.Search;
  search.Open = true;
  search.Text.Clear();
  search.Finder.Build(games, machines, favourites, played);
  search.Found.clear();
  const int count = TableGames(games);
  search.Facts.assign(static_cast<std::size_t>(count) + 1, 0);
  for (int32_t game = 1; game <= count; ++game) {
    const GameRecord& record = std::as_const(games.Games)[game];
    uint8_t& fact = search.Facts[static_cast<std::size_t>(game)];
    if (record.Available == "1") fact |= ListSearch::AvailableFact;
    if (record.Available == "0") fact |= ListSearch::MissingFact;
    if (!record.CloneOf.Empty()) fact |= ListSearch::CloneFact;
  }
}

void SearchAgain(GamesList& list, const GameTable& games) {
  list.Search.Finder.Find(list.Search.Text, list.Search.Found);
  // Only the view changes: the table and its counts are as they were.
  FillView(list, games, list.ListFilter, list.Window.EntryCount);
  list.Window.TopLine = 0;
  list.SelectedEntry = 1;
  list.SelectedGame = list.Window.EntryCount > 0 ? list.ViewList[1].GameNumber : 0;
}

void PickMatch(GamesList& list, unsigned char code) {
  const int32_t entries = list.Window.EntryCount;
  if (entries <= 0) return;
  int32_t e = std::clamp(list.SelectedEntry, 0, entries);
  switch (code) {
    case Key::Up: e = std::max(e - 1, 1); break;
    case Key::Down: e = std::min(e + 1, entries); break;
    case Key::PageUp: e = std::max(e - WindowRows, 1); break;
    case Key::PageDown: e = std::min(e + WindowRows, entries); break;
    case Key::Home: e = 1; break;
    case Key::End: e = entries; break;
    default: return;
  }
  list.SelectedEntry = e;
  list.SelectedGame = list.ViewList[e].GameNumber;
  // The window follows, so that the selection stays in view.
  ListWindow& window = list.Window;
  if (e <= window.TopLine) window.TopLine = e - 1;
  if (e > window.TopLine + WindowRows) window.TopLine = e - WindowRows;
}

void TypeInSearch(GamesList& list, const GameTable& games, unsigned char character) {
  const bool typable = (character >= 32 && character <= 126) || character >= 128;
  ShortString& text = list.Search.Text;
  if (!typable || text.Length() >= ListSearch::MaxLength) return;
  text += static_cast<char>(character);
  SearchAgain(list, games);
}

void EraseInSearch(GamesList& list, GameTable& games, const Settings& settings) {
  ShortString& text = list.Search.Text;
  if (text.Empty()) {
    CloseSearch(list, games, settings);
    return;
  }
  text = text.View().substr(0, text.Length() - 1);
  SearchAgain(list, games);
}

void CloseSearch(GamesList& list, GameTable& games, const Settings& settings) {
  ListSearch& search = list.Search;
  if (!search.Open) return;
  search.Open = false;
  search.Text.Clear();
  search.Finder.Clear();
  std::vector<int32_t>().swap(search.Found);
  std::vector<uint8_t>().swap(search.Facts);
  RebuildList(list, games, settings, list.ListFilter);
  FollowSelectedGame(list);
  // Without a game selected the whole list shows from its start.
  list.Window.TopLine = list.SelectedGame > 0 ? PlaceWindow(list) : 0;
}

void ShowGamesList(GamesList& list, GameTable& games, const Settings& settings) {
  RebuildList(list, games, settings, list.ListFilter);
  // The highlight stays on the game that Enter runs.
  FollowSelectedGame(list);
  list.Window.TopLine = PlaceWindow(list);
}

void JumpToLetter(GamesList& list, const GameTable& games, unsigned char key) {
  if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key - 'A' + 'a');
  const int32_t entries = list.Window.EntryCount;
  const int last = std::min(entries, MaxViewEntries);
  for (int i = 1; i <= last; ++i) {
    unsigned char first = FirstCharacter(list.ViewList[i], games);
    if (first == 0 || first != key) continue;
    list.Window.TopLine = i - 1;
    // A match near the end shows on the bottom row of a full window.
    if (entries - list.Window.TopLine < WindowRows) list.Window.TopLine = std::max(i - WindowRows, 0);
    return;
  }
}

int32_t PlaceWindow(const GamesList& list) {
  const int32_t entries = list.Window.EntryCount;
  int32_t lastWindow = entries <= WindowRows ? 0 : entries - WindowRows;
  for (int e = 1; e <= entries && e <= MaxViewEntries; ++e) {
    if (list.ViewList[e].GameNumber == list.SelectedGame) return std::min(e - 1, lastWindow);
  }
  return lastWindow;
}

void DrawListPage(Console& console, const GamesList& list, const GameTable& games, const Favourites& favourites,
                  const GameMachines& machines) {
  const ViewEntry none;
  const int32_t top = list.Window.TopLine;
  const int32_t columnOffset = list.Window.ColumnOffset;
  const int32_t entries = list.Window.EntryCount;
  const int32_t selected = list.SelectedEntry;

  const Colours heading{Black, LightGreen};
  if (list.Search.Open) {
    // The search's text in the heading, with the cursor after it.
    ShortString text = "Search: ";
    text += list.Search.Text;
    console.PutText(Padded(text, WindowColumns, true), {WindowLeft, HeadingRow}, heading);
    console.Screen.CursorColumn = WindowLeft + static_cast<int>(std::min<std::size_t>(text.Length(), WindowColumns));
    console.Screen.CursorRow = HeadingRow;
  } else {
    // The heading is cut to the list's width but not padded.
    console.PutText(Shifted(list.ListHeader, columnOffset).substr(0, WindowColumns), {WindowLeft, HeadingRow},
                    heading);
  }

  bool showsAnyEntry = false;
  for (int r = 1; r <= WindowRows; ++r) {
    int e = top + r;
    const ViewEntry& entry = EntryAt(list, e, none);
    ShortString line = DisplayLine(entry, games);
    showsAnyEntry = showsAnyEntry || !line.Empty();
    ShortString text = Padded(Shifted(line, columnOffset), WindowColumns, true);
    // A favourite shows in yellow (a clone in brown), in every filter and
    // in the highlight bar as well.
    const bool parent = entry.CloneMark == CloneKind::Parent;
    const bool favourite = entry.GameNumber > 0 && favourites.Contains(games.Games[entry.GameNumber].DriverName);
    const int colour = favourite ? (parent ? Yellow : Brown) : (parent ? White : LightGrey);
    // The highlight bar is black on the row's colour.
    const bool highlighted = e == selected && entries > 0;
    console.PutText(text, {WindowLeft, WindowTop + r - 1}, highlighted ? Colours{Black, colour} : Colours{colour, Black});
  }

  if (entries <= 0) {
    BlankDetails(console);
  } else if (showsAnyEntry) {
    // A selection beyond the list (left by a refresh that shortened it)
    // shows no game.
    int32_t game = selected >= 1 && selected <= entries ? EntryAt(list, selected, none).GameNumber : 0;
    if (game >= 1 && game <= TableGames(games)) {
      DrawDetails(console, games.Games[game]);
      if (const MachineSummary* machine = machines.Of(game)) DrawMachineDetails(console, *machine);
    } else {
      BlankDetails(console);
    }
  }
}

void DrawListNotice(Console& console, const GamesList& list) {
  if (!list.Notice.Empty()) console.PutText(Padded(list.Notice, WindowColumns, true), {WindowLeft, ScrollBarRow}, {Black, Yellow});
}

}  // namespace zeb
