#pragma once
// The program from start to end, and the first run.

namespace zeb {

int Main();
void FirstRun();

}  // namespace zeb
