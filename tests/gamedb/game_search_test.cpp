// Finding games by a piece of their driver name or description.

#include "gamedb/game_search.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace zeb {
namespace {

using Found = std::vector<int32_t>;

class GameSearchTest : public ::testing::Test {
 protected:
  GameSearchTest() {
    const char* records[][2] = {{"pacman", "Pac-Man (Midway)"}, {"dkong", "Donkey Kong"}, {"mspacman", "Ms. Pac-Man"},
                                {"abc", "xyz"}, {"arbol", "\xC1rbol @ [1]"}};
    for (const auto& [driver, description] : records) {
      table.Games[++table.GameCount].DriverName = driver;
      table.Games[table.GameCount].Description = description;
    }
    search.Build(table);
    search.All(all);
  }
  Found Find(std::string_view text, const Found& candidates) const {
    Found found;
    search.Narrow(text, candidates, found);
    return found;
  }
  GameTable table;
  GameSearch search;
  Found all;
};

TEST_F(GameSearchTest, AsciiCaseIgnoredInTheNameOrInTheDescriptionInTableOrder) {
  EXPECT_EQ(all, (Found{1, 2, 3, 4, 5}));
  EXPECT_EQ(Find("PAC", all), (Found{1, 3}));  // in the name and in the description: once
  EXPECT_EQ(Find("mIDWAY", all), (Found{1}));
  EXPECT_EQ(Find("DKong", all), (Found{2}));
  EXPECT_EQ(Find("\xC1RBOL @ [", all), (Found{5}));
  EXPECT_EQ(Find("", all), all);
  // Only ASCII letters: other bytes 32 apart differ; and never a match
  // that runs from the name into the description or into the next game.
  for (const char* text : {"\xE1rbol", "`", "{", "cx", "manpac", "kongms", "manabc", "xyzarbol"}) {
    EXPECT_EQ(Find(text, all), Found{}) << text;
  }
}

TEST_F(GameSearchTest, NarrowLooksAmongTheCandidatesOnlyAndAnEmptyTableHoldsNone) {
  EXPECT_EQ(Find("pac", {2, 3, 5}), (Found{3}));
  EXPECT_EQ(Find("-man", Find("pac", all)), (Found{1, 3}));
  EXPECT_EQ(Find("kong", {1, 3}), Found{});

  GameTable empty;
  search.Build(empty);
  search.All(all);
  EXPECT_EQ(all, Found{});
  EXPECT_EQ(Find("pac", all), Found{});
  EXPECT_EQ(Find("", all), Found{});
}

}  // namespace
}  // namespace zeb
