// Which games have their ROM archive; on a refresh (the settings file is
// there) also the categories and cheat counts again, and a save.

#include "storage/file_system.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace zeb {

bool ScanRomAvailability(GameTable& table, const Settings& settings, Console& console) {
  for (int32_t game = 1; game <= TableGames(table); ++game) {
    GameRecord& record = table.Games[game];
    record.Available = RomArchiveExists(settings, record.DriverName) ? "1" : "0";
  }
  MarkAlternativeArchives(table, settings);
  return RefreshCategoriesAndCheats(table, settings, console);
}

bool RefreshCategoriesAndCheats(GameTable& table, const Settings& settings, Console& console) {
  if (FileExists(SettingsFileName)) {
    console.ProgressLine();
    ImportCategories(table, console);
    ImportCheatCounts(table, console);
    SaveSettings(settings, table);
    return true;
  }
  return false;
}

}  // namespace zeb
