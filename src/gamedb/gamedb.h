#pragma once
// The game database: the emulator's lists, categories, cheat counts, the ROM
// availability of every game and the emulator's version.

#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "settings/game_table.h"
#include "settings/settings.h"

namespace zeb {

// Each import reports its progress on the console's progress output.
void ReadMameVersion(GameTable& table);  // ver.txt -> MameVersion
// listfull.txt -> Games, GameCount; then the scan.
void ImportGameNames(GameTable& table, const Settings& settings, Console& console);
void ImportClones(GameTable& table, Console& console);  // listclones.txt -> CloneOf
// True when listfull.txt holds a game line: a line after the header with a
// driver name (text before a blank).
bool HasGameLine();
void ImportCategories(GameTable& table, Console& console);   // catver.ini -> Category
void ImportCheatCounts(GameTable& table, Console& console);  // cheat.dat -> CheatCount
// Available of every game; on a refresh (zeb.ini is there) also the
// categories, cheat counts and a save: true when it saved.
bool ScanRomAvailability(GameTable& table, const Settings& settings, Console& console);
// The scan's steps of a refresh (zeb.ini is there): the categories and the
// cheat counts again, and a save; true when it saved. For a scan made
// another way too (the machine information's).
bool RefreshCategoriesAndCheats(GameTable& table, const Settings& settings, Console& console);

// True when the ROM archive `<archive>.zip` of a driver name is present: the
// file MamePath + directory + "\" + archive + ".zip" exists for a directory
// of RomPaths (several directories are separated by ";"). The scan, the list
// rebuild and the launch all test archives through this one function.
bool RomArchiveExists(const Settings& settings, std::string_view archive);
// The ROM directories of the settings, in search order, by the rules above:
// without any ";" the whole text is the one directory (even when empty);
// with ";" the empty pieces are passed over.
std::vector<std::string> RomDirectories(const Settings& settings);

// Marks available the games that also run from another game's archive
// when that archive is present: natodefa runs from natodef's. The one place
// of that rule, for the scan and for every rebuild of the games list.
void MarkAlternativeArchives(GameTable& table, const Settings& settings);

}  // namespace zeb
