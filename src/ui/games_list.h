#pragma once
// The games list: the filtered view of the game table, its page in the list
// window, and its panel.

#include "emulator/launch.h"

namespace zeb {

void RebuildList(int filter);
int PlaceWindow();
void DrawListPage(int selected, int top, int columnOffset);

// The list of the filter in force, with the window on the selected game.
void DrawGamesListBody();
void DrawGamesListPanel();
void ClickGamesListPanel(int column, int row);
// A click on the window's screen row `row` selects the game shown there.
void ClickListRow(int row);

// The screen as a launch from the games list leaves and finds it.
extern const LaunchScreen GamesListLaunchScreen;

}  // namespace zeb
