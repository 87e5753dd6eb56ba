#pragma once
// The main loop with its click and key dispatch.

namespace zeb {

void MainLoop();
// Acts on the left button at the mouse's position (held or just pressed).
void HandleClick();
// Acts on one key read by the loop (already in LastKey). True when Esc was
// answered with yes: the loop is to end at once.
bool DispatchKey();

}  // namespace zeb
