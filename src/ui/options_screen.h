#pragma once
// The options screen: its pages with their widgets, the clicks on them, the
// line editor on its text fields, and its panel.

#include <span>
#include <string_view>

#include "ui/frame.h"
#include "ui/session.h"

namespace zeb {

// The tab row, the frame and page `page` as the settings stand.
void DrawOptionsPage(Console& console, const Settings& settings, const OptionsScreen& options, Page page);
// The page is drawn anew: the blanks the line editor left are gone, and
// the text fields stand over the status box's message.
void PageShownAnew(OptionsScreen& options);
// A click on the options screen's page area: its tabs and the widgets of
// the page on display; a text field opens the line editor. Every click off
// the tab row pauses (the pace of a held click).
void HandleOptionsClick(Console& console, OptionsScreen& options, Settings& settings, Point at);
// A key while the line editor is open; Enter stores the text in the
// setting and closes it.
void EditOption(OptionsScreen& options, Settings& settings, KeyPress key);

extern const std::span<const PanelButton> OptionsButtons;
void DrawOptionsPanel(Console& console);
// A button's message in the panel's status box ("Config Loaded", ...).
void DrawConfigMessage(Console& console, std::string_view message);

}  // namespace zeb
