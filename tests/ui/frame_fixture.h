#pragma once
// The fixture of the screen tests: a clean program state with the start
// values of a real start, the default settings, a scripted console and a
// temporary current directory.

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "storage/state.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/games_list.h"

namespace zeb::ui_testing {

class ScreenTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetLaunchScreen(&GamesListLaunchScreen);
    SetStartValues();
    SetDefaultSettings();
  }

  // Appends a game to the table; returns its game number.
  static int AddGame(std::string_view driver, std::string_view description, std::string_view cloneOf = "",
                     std::string_view category = "", std::string_view available = "1",
                     std::string_view cheats = "") {
    GameRecord& game = Games[++GameCount];
    game.DriverName = driver;
    game.Description = description;
    game.CloneOf = cloneOf;
    game.Category = category;
    game.Available = available;
    game.CheatCount = cheats;
    return GameCount;
  }

  // `count` parent games named g0001, g0002, ... (all available).
  static void AddGames(int count) {
    for (int i = 1; i <= count; ++i) {
      std::string number = std::to_string(i);
      std::string name = "g";
      name.append(4 - std::min<std::size_t>(4, number.size()), '0');
      name += number;
      AddGame(name, "Game " + number);
    }
  }

  testing_support::TempDir dir;
};

}  // namespace zeb::ui_testing
