#pragma once
// The main loop with its click and key dispatch.

#include "ui/session.h"

namespace zeb {

// Runs until the user has confirmed quitting.
void MainLoop(Session& session);
// One pass of the loop: a held button's click, the wheel, a waiting key, or
// else a wait for input. False when the user has confirmed quitting.
bool MainLoopPass(Session& session);
// Acts on the left button at the mouse's position (held or just pressed).
Outcome HandleClick(Session& session);
// Acts on one key read by the loop; Quit when Esc was answered with yes.
Outcome DispatchKey(Session& session, unsigned char key);
// The loop draws the list window again when an outcome asks it to
// (list_window.h: RedrawListWindow).

}  // namespace zeb
