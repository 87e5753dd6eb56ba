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
// What zeb-machines.txt says of the table's games, when it is to be
// trusted; else nothing, and a file that is there but not to be trusted
// says so in the list's notice.
void TakeMachineInformation(const GameTable& games, Information& information, GamesList& list);

}  // namespace zeb
