#pragma once
// The main loop: one loop for every key and click of the interface. A pass
// hands a held button's click, the wheel and a waiting key to their
// handlers, which change the records and say what is left to do; then the
// whole screen is drawn from the records, once.

#include "ui/session.h"

namespace zeb {

// Runs until the user has confirmed quitting.
void MainLoop(Session& session);
// One pass of the loop, or else a wait for input. False when the user has
// confirmed quitting.
bool MainLoopPass(Session& session);
// Acts on one key, as the key table's row for it says.
Outcome DispatchKey(Session& session, KeyPress key);
// Carries out what a key or a click has left to do, on the screen as drawn.
void RunTask(Session& session, Task task);

}  // namespace zeb
