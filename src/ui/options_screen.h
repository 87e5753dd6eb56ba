#pragma once
// The options screen: its pages with their widgets, the clicks on them, and
// its panel.

#include "ui/session.h"

namespace zeb {

void DrawOptionsPage(Console& console, const Settings& settings, const OptionCaptions& captions, Page page);
// A click on the options screen's page area (its tabs and the widgets of
// the page on display).
Outcome HandleOptionsClick(Session& session, int column, int row);
void DrawOptionsPanel(Console& console);
Outcome ClickOptionsPanel(Session& session, int column, int row);

}  // namespace zeb
