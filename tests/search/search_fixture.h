#pragma once
// A small table of well-known games with their machine information, the
// favourites and the games played, for the tests of the search; the
// results as driver names.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "machines/machine_info.h"
#include "search/favourites.h"
#include "search/game_finder.h"
#include "search/played_games.h"
#include "settings/game_table.h"
#include "support/temp_dir.h"

namespace zeb::testing_support {

struct TestGame {
  const char* Name;
  const char* Description;
  const char* CloneOf;
  const char* Category;
  const char* Available;
  // The machine information: no summary when Year is null.
  const char* Year;
  const char* Maker;
  int Players;
  DriverStatus Status;
  bool Bios;
  bool Mechanical;
};

constexpr DriverStatus Good = DriverStatus::Good;
constexpr DriverStatus Imperfect = DriverStatus::Imperfect;
constexpr DriverStatus Preliminary = DriverStatus::Preliminary;
constexpr DriverStatus NoStatus = DriverStatus::Unknown;

// In driver-name order, as the table is.
inline const std::vector<TestGame>& TestGames() {
  static const std::vector<TestGame> games = {
      {"25pacman", "Pac-Man - 25th Anniversary Edition", "", "Maze / Collect", "1", "2005", "Namco", 2, Good, false, false},
      {"4in1boot", "Mspacman 4 in 1 (bootleg)", "", "Maze / Collect", "0", "2000", "bootleg", 2, Preliminary, false, false},
      {"attache", "Attach\x82 Case", "", "Puzzle", "1", "1989", "Data East Corporation", 1, Preliminary, false, false},
      {"bfgalaga", "Battle Field Galaga (bootleg)", "galaga", "Shooter / Flying", "0", "1981", "bootleg", 2, Good, false, false},
      {"fantastc", "Fantastic (Galaga conversion on Galaxian hardware)", "", "Shooter / Flying", "1", "1983", "Taito", 2, Imperfect, false, false},
      {"galaga", "Galaga (Namco rev. B)", "", "Shooter / Flying", "1", "1981", "Namco", 2, Good, false, false},
      {"galagamw", "Galaga (Midway set 1)", "galaga", "Shooter / Flying", "0", "1981", "Namco (Midway license)", 2, Good, false, false},
      {"galaxian", "Galaxian (Namco set 1)", "", "Shooter / Flying", "1", "1979", "Namco", 2, Good, false, false},
      {"mechbell", "Bell-Fruit Mechanical Reels", "", "Slot Machine", "0", "1985", "Bell-Fruit", 0, NoStatus, false, true},
      {"mspacman", "Ms. Pac-Man", "", "Maze / Collect", "1", "1981", "Midway / General Computer", 2, Good, false, false},
      {"neogeo", "Neo-Geo MV-6F", "", "System / BIOS", "1", "1990", "SNK", 0, NoStatus, true, false},
      {"pacman", "Pac-Man (Midway)", "puckman", "Maze / Collect", "1", "1980", "Namco (Midway license)", 2, Good, false, false},
      {"pacplus", "Pac-Man Plus", "", "Maze / Collect", "0", "1982", "Namco (Midway license)", 2, Good, false, false},
      {"pong", "Pong (Rev E)", "", "Sports / Tennis", "1", "1972", "Atari", 2, Good, false, false},
      {"pongd", "Pong Doubles", "", "Sports / Tennis", "0", "197?", "Atari", 4, Good, false, false},
      {"puckman", "Puck Man (Japan set 1)", "", "Maze / Collect", "1", "1980", "Namco", 2, Good, false, false},
      {"superpac", "Super Pac-Man", "", "Maze / Collect", "1", "1982", "Namco", 2, Imperfect, false, false},
      {"xevious", "Xevious (Namco)", "", "Shooter / Flying", "1", nullptr, "", 0, NoStatus, false, false},
      {"zaxxon", "ZAXXON (set 1, rev D)", "", "Shooter / Flying", "1", "1982", "Sega", 0, Imperfect, false, false},
  };
  return games;
}

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    for (const TestGame& game : TestGames()) {
      GameRecord& record = table->Games[++table->GameCount];
      record.DriverName = game.Name;
      record.Description = game.Description;
      record.CloneOf = game.CloneOf;
      record.Category = game.Category;
      record.Available = game.Available;
    }
    machines.ByGame.resize(TestGames().size() + 1);
    machines.Named.assign(TestGames().size() + 1, false);
    for (std::size_t i = 0; i < TestGames().size(); ++i) {
      const TestGame& game = TestGames()[i];
      if (game.Year == nullptr) continue;
      MachineSummary& summary = machines.ByGame[i + 1];
      machines.Named[i + 1] = true;
      summary.Year = game.Year;
      summary.Manufacturer = game.Maker;
      summary.Players = game.Players;
      summary.Status = game.Status;
      summary.IsBios = game.Bios;
      summary.IsMechanical = game.Mechanical;
    }
    favourites.Load(dir.File(FavouritesFileName));
    played.Load(dir.File(PlayedGamesFileName));
  }

  void Build(bool withInfo = true) { finder.Build(*table, withInfo ? machines : GameMachines{}, favourites, played); }

  // The driver names of what `text` finds, in order.
  std::vector<std::string> Find(std::string_view text) {
    std::vector<int32_t> found;
    finder.Find(text, found);
    return DriverNames(found);
  }
  std::vector<std::string> DriverNames(const std::vector<int32_t>& games) const {
    std::vector<std::string> names;
    for (int32_t game : games) names.push_back(table->Games[game].DriverName.Str());
    return names;
  }
  int32_t Number(std::string_view name) const {
    for (int32_t game = 1; game <= table->GameCount; ++game) {
      if (table->Games[game].DriverName == name) return game;
    }
    return 0;
  }

  TempDir dir;
  std::unique_ptr<GameTable> table = std::make_unique<GameTable>();
  GameMachines machines;
  Favourites favourites;
  PlayedGames played;
  GameFinder finder;
};

}  // namespace zeb::testing_support
