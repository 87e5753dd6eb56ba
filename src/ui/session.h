#pragma once
// The interface's records, and the one object that holds them for a run.
//
// Each record is named for what it holds: the games list (its filter, its
// entries, its window and the selection), the file viewer, the screen
// navigation and the options screen; the settings and the game table come
// from below. Start-up makes one Session and hands it, by reference, to the
// main loop; the functions below it take only the records they use, and the
// drawing takes them read-only.

#include <cstdint>
#include <vector>

#include "console/console.h"
#include "emulator/launch.h"
#include "gamedb/game_search.h"
#include "program_version.h"
#include "settings/game_table.h"
#include "settings/settings.h"
#include "storage/fixed_table.h"
#include "storage/short_string.h"

namespace zeb {

// The three screens, in the order of the panel's screen switch.
enum class Screen : int32_t { GamesList = 0, Options = 1, Viewer = 2 };

// The games list's filter.
enum class Filter : int32_t { AllGames = 1, Available = 2, Missing = 3 };

// The pages of the options screen (there is no page 5); None while no page
// has been shown.
enum class Page : int32_t { None = 0, Paths = 1, Display = 2, SoundVector = 3, Other = 4, About = 6 };

// Where the list window stands over a list of EntryCount entries (view
// entries of the games list, or lines of the viewer): TopLine entries are
// above its first row, ColumnOffset characters hidden at the left.
struct ListWindow {
  int32_t EntryCount = 0;
  int32_t TopLine = 0;
  int32_t ColumnOffset = 0;
};

// Whether a view entry's game is a clone; an entry never filled has no mark.
enum class CloneKind : unsigned char { Unmarked, Parent, Clone };

// One row of the games list as filtered: the game it shows, or 0 for a row
// that shows nothing (never filled, or emptied by a shorter list). Its line,
// the game's driver name padded to 10 and then its description, is made
// when it is drawn (DisplayLine, games_list.h).
struct ViewEntry {
  int32_t GameNumber = 0;
  CloneKind CloneMark = CloneKind::Unmarked;
};

constexpr int MaxViewEntries = 100000;

// The search of the games list: while it is open, the list shows only the
// games whose driver name or description holds the text typed so far.
struct ListSearch {
  static constexpr std::size_t MaxLength = 50;
  bool Open = false;
  ShortString Text;
  GameSearch Games;  // the table's texts, taken in when it opens
  // The games that the first k characters of the text find, in table order,
  // for k from 0 to the text's length: each from the one before, and
  // Backspace goes back one without a search. Their memory stays for the
  // next keys.
  std::vector<std::vector<int32_t>> Found;
  const std::vector<int32_t>& Matches() const { return Found[Text.Length()]; }
};

// The games list: the view of the game table through the filter (and the
// search), the window over it, and the selected entry and game (0: none).
struct GamesList {
  Filter ListFilter = Filter::AllGames;
  ListSearch Search;
  FixedTable<ViewEntry, MaxViewEntries> ViewList;  // entries 1 to Window.EntryCount
  ListWindow Window;
  int32_t SelectedEntry = 1;
  int32_t SelectedGame = 1;
  ShortString ListHeader;
};

constexpr int MaxViewerLines = 5000;

// The file viewer: the lines of the file it shows and the window over them.
struct Viewer {
  FixedTable<ShortString, MaxViewerLines> ViewerLines;
  ListWindow Window;  // EntryCount is one more than the file's lines
  bool FileLoaded = false;
};

// Which screen is on display, and whose panel is drawn (the panel's
// buttons act by it).
struct Navigation {
  Screen CurrentScreen = Screen::GamesList;
  Screen PanelScreen = Screen::GamesList;
};

// The options screen: the page on display and the captions of the
// enumerated options.
struct OptionsScreen {
  Page OptionsPage = Page::None;
  OptionCaptions Captions;
};

// Everything one run of the interface works on, made once by start-up.
struct Session {
  explicit Session(Console& theConsole) : console(theConsole) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Console& console;
  Settings settings;
  GameTable games;
  GamesList list;
  Viewer viewer;
  Navigation navigation;
  OptionsScreen options;
  EmulatorAnswer emulator;  // what the emulator said of its options
};

// What a key or a click did: whether it meant anything where it came,
// whether the list window is to be drawn again, whether the program is to
// end. The main loop acts on it.
struct Outcome {
  bool Handled = false;
  bool Redraw = false;
  bool Quit = false;

  static Outcome Ignored() { return {}; }
  static Outcome Done() { return {true, false, false}; }
  static Outcome RedrawWindow() { return {true, true, false}; }
  static Outcome Quitting() { return {true, false, true}; }
  // Both together: what either did.
  Outcome& operator|=(const Outcome& other) {
    Handled = Handled || other.Handled;
    Redraw = Redraw || other.Redraw;
    Quit = Quit || other.Quit;
    return *this;
  }
};

}  // namespace zeb
