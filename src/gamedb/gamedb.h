#pragma once
// The game database: the emulator's lists, categories, cheat counts, the ROM
// availability of every game and the emulator's version.

#include <string_view>

namespace zeb {

void ReadMameVersion();     // ver.txt -> MameVersion
void ImportGameNames();     // listfull.txt -> Games, GameCount; then the scan
void ImportClones();        // listclones.txt -> CloneOf
// True when listfull.txt holds a game line: a line after the header with a
// driver name (text before a blank).
bool HasGameLine();
void ImportCategories();    // catver.ini -> Category
void ImportCheatCounts();   // cheat.dat -> CheatCount
void ScanRomAvailability(); // Available of every game; on a refresh also the
                            // categories, cheat counts and a save

// True when the ROM archive `<archive>.zip` of a driver name is present: the
// file MamePath + directory + "\" + archive + ".zip" exists for a directory
// of RomPaths (several directories are separated by ";"). The scan, the list
// rebuild and the launch all test archives through this one function.
bool RomArchiveExists(std::string_view archive);

// True when the game of that driver name also runs from another game's
// archive and that archive is present (natodefa runs from natodef's).
bool AlternativeArchiveExists(std::string_view driverName);

}  // namespace zeb
