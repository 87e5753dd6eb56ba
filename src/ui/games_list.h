#pragma once
// The games list: the filtered view of the game table, its page in the list
// window, and its panel.

#include "ui/session.h"

namespace zeb {

// The view of the table through `filter` (and the search's matches while it
// is open): ViewList, EntryCount and ListHeader anew, AvailableCount
// recounted (and natodefa marked available when it runs from natodef's
// archive). The selection and the window stay.
void RebuildList(GamesList& list, GameTable& games, const Settings& settings, Filter filter);
// The selected entry becomes the one that shows the selected game; when the
// list does not show it, nothing is selected.
void FollowSelectedGame(GamesList& list);
// The window position that shows the selected game on its first row (the
// last full window near the end, or when the game is not listed).
int32_t PlaceWindow(const GamesList& list);

// The search: opened with the table's texts taken in and an empty text (the
// list as it is); the text changed, which shows its matches from the top
// with the first one selected; closed, which gives the list of the filter
// back with the selected game in the window.
void OpenSearch(GamesList& list, const GameTable& games);
// `grew`: the text grew by a character (else it lost its last one).
void SearchAgain(GamesList& list, const GameTable& games, bool grew);
void CloseSearch(GamesList& list, GameTable& games, const Settings& settings, Console& console);
// The line a view entry shows: the driver name padded with blanks to 10
// characters (a longer one is not cut), then the description, at most 255
// characters; empty for an entry without a game.
ShortString DisplayLine(const ViewEntry& entry, const GameTable& games);
// The first character of that line (0 for an empty line).
unsigned char FirstCharacter(const ViewEntry& entry, const GameTable& games);

// The 21 rows of the window with the selected entry highlighted, and the
// selected game's details in the panel.
void DrawListPage(Console& console, const GamesList& list, const GameTable& games);

// The list of the filter in force, with the window on the selected game.
void ShowGamesList(Session& session);
void DrawGamesListPanel(Console& console, const GamesList& list, const GameTable& games);
Outcome ClickGamesListPanel(Session& session, int column, int row);
// A click on the window's screen row `row` selects the game shown there.
Outcome ClickListRow(GamesList& list, int row);
// Runs the emulator on the selected game; the games list is drawn anew
// afterwards.
void LaunchSelectedGame(Session& session);

}  // namespace zeb
