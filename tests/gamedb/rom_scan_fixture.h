#pragma once
// The ROM scan tests' fixture: a game table, the default settings, and
// the availability flags as one text.

#include <string>

#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"
#include "settings/settings.h"

namespace zeb::testing_support {

class RomScan : public GameDb {
 protected:
  void SetUp() override {
    GameDb::SetUp();
    SetDefaultSettings(settings, options.Captions);
  }
  void Scan() { ScanRomAvailability(games, settings, console); }
  std::string Flags() const {
    std::string flags;
    for (int game = 1; game <= games.GameCount; ++game) flags += games.Games[game].Available.Str();
    return flags;
  }
};

}  // namespace zeb::testing_support
