#pragma once
// The interface's records, and the one object that holds them for a run.
//
// Each record is named for what it holds: the games list (its filter, its
// entries, its window and the selection), the file viewer, the screen
// navigation and the options screen; the settings and the game table come
// from below. Start-up makes one Session and hands it, by reference, to the
// main loop; the functions below it take only the records they use, and the
// drawing takes them read-only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "console/console.h"
#include "emulator/launch.h"
#include "machines/machine_info.h"
#include "search/favourites.h"
#include "search/game_finder.h"
#include "search/played_games.h"
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
// games that its text finds, the best match first (search/game_finder.h).
struct ListSearch {
  static constexpr std::size_t MaxLength = 50;
  bool Open = false;
  ShortString Text;
  GameFinder Finder;  // the table's texts and facts, taken in when it opens
  // The games the text finds, in their order; the memory stays for the
  // next keys.
  std::vector<int32_t> Found;
  const std::vector<int32_t>& Matches() const { return Found; }
  // By game number, what the view needs of each game, taken in with the
  // texts: its filter and its clone mark.
  static constexpr uint8_t AvailableFact = 1, MissingFact = 2, CloneFact = 4;
  std::vector<uint8_t> Facts;
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
  // A line the list shows in place of its bottom scroll bar until the next
  // key: why a game does not run, what could not be saved.
  ShortString Notice;
  // Whether the machine information judged the games' availability: then
  // no game is marked available for another game's archive.
  bool AvailabilityJudged = false;
};

constexpr int MaxViewerLines = 5000;

// The file viewer: the lines of the file it shows and the window over them.
struct Viewer {
  FixedTable<ShortString, MaxViewerLines> ViewerLines;
  ListWindow Window;  // EntryCount is one more than the file's lines
  bool FileLoaded = false;
  // What the list window shows: the page of lines (after a file button,
  // also the empty page a missing file leaves), or else the picture.
  bool PageShown = false;
  // "File Not Available!" shows over the window for a moment.
  bool FileMissingShown = false;
};

// Which screen is on display, and whose panel is drawn (the panel's
// buttons act by it).
struct Navigation {
  Screen CurrentScreen = Screen::GamesList;
  Screen PanelScreen = Screen::GamesList;
};

// The line editor, open on a text field of the options screen: the text
// as edited so far and the cursor (the characters before it), shown from
// `At` on. Only Enter ends it, and then the setting gets the text.
struct LineEditor {
  bool Open = false;
  ShortString Settings::* Field = nullptr;
  Point At;
  ShortString Text;
  std::size_t Cursor = 0;
  std::string_view AlsoTypable;  // besides "0" to "z"
};

// The options screen: the page on display, the captions of the enumerated
// options, the message of the panel's status box, and the line editor.
struct OptionsScreen {
  Page OptionsPage = Page::None;
  OptionCaptions Captions;
  ShortString Message;  // "Config Loaded", ...: stays until the panel is drawn anew
  LineEditor Editor;
  // Per screen row, the last column the editor has written since the page
  // was drawn anew (0: none): the blanks it leaves behind a shorter text
  // stay until then.
  std::array<int, ScreenHeight + 1> EditedTo{};
  // Whether the page's text fields were drawn (or edited) after the message
  // was left: a long text on the message's row covers it then.
  bool FieldsOverMessage = false;
};

// A question the screen asks in the confirmation box, and what a yes to it
// does.
enum class Question : unsigned char { None, Quit, CloseMark, RefreshList, DefaultConfig };

// What stands over the screen: the confirmation box, and the notice of a
// refresh (the whole screen black but for it).
struct Dialog {
  Question Asking = Question::None;
  bool Refreshing = false;
};

// What the emulator's machine information (zeb-machines.txt) says of the
// table's games: their summaries (none without the information), the
// emulator's version it was made with, and why each game judged missing is
// so, as the last judgement found (and as Enter on such a game asked since).
struct Information {
  GameMachines Machines;
  std::string Version;
  std::unordered_map<std::string, std::string> WhyMissing;
};

// Everything one run of the interface works on, made once by start-up.
struct Session {
  explicit Session(Console& theConsole) : console(theConsole) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Console& console;
  Settings settings;
  GameTable games;
  Information information;  // what the emulator says of the table's games
  Favourites favourites;
  PlayedGames played;
  GamesList list;
  Viewer viewer;
  Navigation navigation;
  OptionsScreen options;
  Dialog dialog;
  EmulatorAnswer emulator;  // what the emulator said of its options
};

// What a key or a click leaves to the main loop besides the records it
// changed: the end of the program, or a task that takes the screen for a
// while once it has been drawn (the emulator run on the selected game, the
// refresh of the list, the notice of a file that is not there).
enum class Task : unsigned char { None, RunGame, RefreshList, FileMissing };

struct Outcome {
  bool Quit = false;
  Task Then = Task::None;

  static Outcome Quitting() { return {true, Task::None}; }
  static Outcome Starting(Task task) { return {false, task}; }
  // Both together: what either did (the later task wins).
  Outcome& operator|=(const Outcome& other) {
    Quit = Quit || other.Quit;
    if (other.Then != Task::None) Then = other.Then;
    return *this;
  }
};

}  // namespace zeb
