#pragma once
// The program from start to end, and the first run.

#include "ui/session.h"

namespace zeb {

int Main();
// The first run, without zeb.ini: imports the emulator's lists into the
// session's table and writes zeb.ini; or, without the lists, asks for them
// and ends the program.
void FirstRun(Console& console, Settings& settings, OptionCaptions& captions, Filter& filter, GameTable& games);
// The records from the files as every start makes them (the first run
// without zeb.ini, then zeb.ini loaded and its available games counted),
// then the first screen.
void StartSession(Session& session);

}  // namespace zeb
