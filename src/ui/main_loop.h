#pragma once
// The main loop with its click and key dispatch, and the screen bodies.

namespace zeb {

void MainLoop();
void HandleClick();
void DrawScreenBody(int screen, int page);

}  // namespace zeb
