// Which games have their ROM archive; on a refresh (the settings file is
// there) also the categories and cheat counts again, and a save.

#include "console/console.h"
#include "storage/file_system.h"
#include "storage/state.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace zeb {

void ScanRomAvailability() {
  for (int32_t game = 1; game <= GameCount; ++game) {
    GameRecord& record = Games[game];
    bool available = RomArchiveExists(record.DriverName) || AlternativeArchiveExists(record.DriverName);
    record.Available = available ? "1" : "0";
  }
  if (FileExists(SettingsFileName)) {
    ProgressLine();
    ImportCategories();
    ImportCheatCounts();
    SaveSettings();
  }
}

}  // namespace zeb
