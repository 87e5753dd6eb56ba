#pragma once
// The games list: the filtered view of the game table, its page in the list
// window, and its panel.

#include <span>

#include "ui/frame.h"
#include "ui/session.h"

namespace zeb {

// The view of the table through `filter` (and the search's matches while it
// is open): ViewList, EntryCount and ListHeader anew, AvailableCount
// recounted (after the games that run from another game's archive are
// marked available). The selection and the window stay.
void RebuildList(GamesList& list, GameTable& games, const Settings& settings, Filter filter);
// The selected entry becomes the one that shows the selected game; when the
// list does not show it, nothing is selected.
void FollowSelectedGame(GamesList& list);
// The window position that shows the selected game on its first row (the
// last full window near the end, or when the game is not listed).
int32_t PlaceWindow(const GamesList& list);
// The list of the filter in force, with the highlight and the window on
// the selected game: what showing the games list does.
void ShowGamesList(GamesList& list, GameTable& games, const Settings& settings);

// The search: opened with the table's texts and facts taken in and an
// empty text (the list as it is); the text changed, which shows its matches
// from the top with the first one selected; closed, which gives the list of
// the filter back with the selected game in the window.
void OpenSearch(GamesList& list, const GameTable& games, const GameMachines& machines, const Favourites& favourites,
                const PlayedGames& played);
void SearchAgain(GamesList& list, const GameTable& games);
// A key that picks a match while the search is open: Up and Down the one
// before or after the selected one, PgUp and PgDn a window away, Home and
// End the first and the last; the window follows.
void PickMatch(GamesList& list, unsigned char code);
// A character typed into the search: one of the blank to "~" or above 127,
// up to the text's longest; any other is passed over.
void TypeInSearch(GamesList& list, const GameTable& games, unsigned char character);
// Backspace in the search: the last character taken back; on an empty text
// the search closes.
void EraseInSearch(GamesList& list, GameTable& games, const Settings& settings);
void CloseSearch(GamesList& list, GameTable& games, const Settings& settings);
// The line a view entry shows: the driver name padded with blanks to 10
// characters (a longer one is not cut), then the description, at most 255
// characters; empty for an entry without a game.
ShortString DisplayLine(const ViewEntry& entry, const GameTable& games);
// The first character of that line (0 for an empty line).
unsigned char FirstCharacter(const ViewEntry& entry, const GameTable& games);
// Moves the window to the first entry whose line begins with the key's
// character (a capital letter as its small one); the selection stays.
void JumpToLetter(GamesList& list, const GameTable& games, unsigned char key);

// The heading, the 21 rows of the window with the selected entry
// highlighted, and the selected game's details in the panel; with the
// search open, its text in the heading and the cursor after it.
// A favourite's row shows in yellow (a clone's in brown). With the machine
// information the details also say the game's year, maker and status.
void DrawListPage(Console& console, const GamesList& list, const GameTable& games, const Favourites& favourites,
                  const GameMachines& machines);
// The list's notice, when it has one, over its bottom scroll bar.
void DrawListNotice(Console& console, const GamesList& list);

// The panel: "Run Game", "Refresh List!", the filter, the counts and the
// headings of the selected game's details.
extern const std::span<const PanelButton> GamesListButtons;
void DrawGamesListPanel(Console& console, const GamesList& list, const GameTable& games);
// The filter button clicked in `column`: its triangles step the filter, its
// caption applies the same filter again; the window and the selection go to
// the first entry. Its pause sets the pace of a held click.
void ChangeFilter(Console& console, GamesList& list, GameTable& games, const Settings& settings, int column);
// A click on the window's screen row `row` selects the game shown there
// (below the last entry, the last one).
void ClickListRow(GamesList& list, int row);

// Where a launch is asked for: Enter, or the panel's "Run Game", which
// never runs a game listed as missing.
enum class LaunchFrom : unsigned char { Key, RunGameButton };
// Whether the selected game is to be run: an entry and a game are selected.
bool RunsSelectedGame(const GamesList& list, LaunchFrom from);
// Runs the emulator on the selected game; the games list is shown anew
// afterwards. True when the emulator ran.
bool LaunchSelectedGame(Session& session);

}  // namespace zeb
