#pragma once
// What must hold between two passes of the main loop, whatever the user did:
// each check returns "" when it holds, else what is wrong.

#include <string>

#include "ui/session.h"

namespace zeb::soak {

// The frame's fixed cells (the close mark and the title, the panel's screen
// switch, the scroll bars' arrows), the window of the games list and of the
// viewer within their lines, the selection on a listed game, the games
// list's rows as the records say.
std::string CheckSession(const Session& session);

// zeb.ini, read into fresh records, holds the session's settings and game
// table, field by field.
std::string CheckSavedSettings(const Session& session);

}  // namespace zeb::soak
