#pragma once
// The screen on display: drawn whole from the records, and the records
// brought up to date when a screen is shown anew.

#include "ui/session.h"

namespace zeb {

// Draws the whole screen as the records say: the title bar, the background,
// the panel of PanelScreen, the body of CurrentScreen on its page, and what
// stands over them (a notice, a message, the confirmation box). It reads
// the records only: drawing twice gives what drawing once gives.
void DrawScreen(Console& console, const Session& session);

// `screen` on `page` becomes the one on display, panel and body, as a full
// redraw shows it: the screen and the page are recorded, the option
// captions brought up to date, the panel's status box emptied, and the
// screen's records brought up to date (the games list rebuilt with the
// window on the selected game; the viewer on its picture; the options page
// drawn anew).
void ShowScreen(Session& session, Screen screen, Page page);

}  // namespace zeb
