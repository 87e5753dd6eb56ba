#pragma once
// The program from start to end, and the first run.

#include "ui/session.h"

namespace zeb {

int Main();
// The first run, without zeb.ini: imports the emulator's lists into the
// session's table and writes zeb.ini; or, without the lists, asks for them
// and ends the program.
void FirstRun(Session& session);

}  // namespace zeb
