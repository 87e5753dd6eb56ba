#pragma once
// The ROM scan tests' fixture: a game table, the default settings, archives
// made on demand, the availability flags as one text.

#include <filesystem>
#include <string>

#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"
#include "settings/settings.h"

namespace zeb::testing_support {

class RomScan : public GameDb {
 protected:
  void SetUp() override {
    GameDb::SetUp();
    SetDefaultSettings();
  }
  static void Touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteBytes(path, "PK");
  }
  static std::string Flags() {
    std::string flags;
    for (int game = 1; game <= GameCount; ++game) flags += Games[game].Available.Str();
    return flags;
  }
};

}  // namespace zeb::testing_support
