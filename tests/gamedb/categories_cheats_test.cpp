// Categories from catver.ini, cheat counts from cheat.dat, and the lookup by
// driver name that both use.

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"

namespace zeb {
namespace {

using testing_support::CrLf;
using testing_support::GameDb;
using testing_support::WriteBytes;

using Categories = GameDb;
using CheatCounts = GameDb;
using DriverLookup = GameDb;

TEST_F(Categories, EntriesUpToTheSectionEndGiveTheTextAfterTheFirstEquals) {
  SetGames({"abc", "abcd", "abce", "abc", "abcf", "abcg", "Abc"});
  games.Games[6].Category = "kept";
  WriteBytes("catver.ini", CrLf({";; header", "", "[Category]", "abc=Sports=Ball", "abcd = Maze", "abce=Maze / Collect",
                                 "abcf=" + std::string(300, 'c'), "[VerAdded] ", "abcd=Late", "[VerAdded]",
                                 "abcg=Never"}));
  ImportCategories(games, console);
  EXPECT_EQ(games.Games[1].Category.Str(), "Sports=Ball");
  EXPECT_TRUE(games.Games[2].Category.Str() == "Late") << "a section end with a trailing blank ends nothing";
  EXPECT_EQ(games.Games[3].Category.Str(), "Maze / Collect");
  EXPECT_EQ(games.Games[4].Category.Str(), "Sports=Ball");
  EXPECT_EQ(games.Games[5].Category.Str(), std::string(250, 'c'));
  EXPECT_EQ(games.Games[6].Category.Str(), "kept");
  EXPECT_TRUE(games.Games[7].Category.Empty());
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Checking Catver"}));
}

TEST_F(Categories, ASectionEndOnLineThreeOrAMissingFileSetsNothing) {
  SetGames({"abc"});
  WriteBytes("catver.ini", CrLf({"abc=One", "abc=Two", "[VerAdded]", "abc=Three"}));
  ImportCategories(games, console);
  EXPECT_TRUE(games.Games[1].Category.Empty());

  games.Games[1].Category = "Loaded";
  std::remove("catver.ini");
  ImportCategories(games, console);
  EXPECT_EQ(games.Games[1].Category.Str(), "Loaded");
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Checking Catver", "", "Cannot Find Catver.ini"}));
}

TEST_F(CheatCounts, EveryCheatLineCountsAndASkipLineTakesTheNextWithIt) {
  SetGames({"abc", "def", "ghi", "abc", "jkl"});
  games.Games[5].CheatCount = "7";
  WriteBytes("cheat.dat", CrLf({"abc:1", "; note", "abc:2", "abc:3", "", "def:1", " def:2", "def:3", "def:4:x",
                                "ghi", "ABC:1", ";last"}));
  for (int pass = 0; pass < 2; ++pass) {
    ImportCheatCounts(games, console);
    EXPECT_EQ(games.Games[1].CheatCount.Str(), "2");
    EXPECT_EQ(games.Games[2].CheatCount.Str(), "1");
    EXPECT_TRUE(games.Games[3].CheatCount.Empty()) << "a line without \":\" names no game";
    EXPECT_EQ(games.Games[4].CheatCount.Str(), "2");
    EXPECT_TRUE(games.Games[5].CheatCount.Empty()) << "every import counts from zero";
  }
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Sorting Cheats", "", "Sorting Cheats"}));
}

TEST_F(CheatCounts, TwelveCheatsAndAMissingFile) {
  SetGames({"abc", ""});
  std::vector<std::string> lines(12, "abc:cheat");
  lines.push_back("no colon");
  WriteBytes("cheat.dat", CrLf(lines));
  ImportCheatCounts(games, console);
  EXPECT_EQ(games.Games[1].CheatCount.Str(), "12");
  EXPECT_EQ(games.Games[2].CheatCount.Str(), "1");

  std::remove("cheat.dat");
  ImportCheatCounts(games, console);
  EXPECT_EQ(games.Games[1].CheatCount.Str(), "12");
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Sorting Cheats", "", "Cannot Find Cheat.dat"}));
}

// The index finds what a scan of the whole table finds, in the same order.
TEST_F(DriverLookup, FindsEveryGameOfTheNameInTableOrder) {
  std::mt19937 random(7);
  const char* names[] = {"", "a", "ab", "abc", "b", "B", "ab ", "zz", "\xff", "a\xff"};
  games.GameCount = 0;
  for (int i = 0; i < 500; ++i) games.Games[++games.GameCount].DriverName = names[random() % std::size(names)];
  DriverIndex index;
  index.Build(games);
  for (const char* name : {"", "a", "ab", "abc", "b", "B", "ab ", "zz", "\xff", "a\xff", "c", "A", "abcd"}) {
    std::vector<int32_t> scanned;
    for (int32_t game = 1; game <= games.GameCount; ++game) {
      if (games.Games[game].DriverName == name) scanned.push_back(game);
    }
    auto found = index.GamesNamed(name);
    EXPECT_EQ(std::vector<int32_t>(found.begin(), found.end()), scanned) << name;
  }
  games.GameCount = 0;
  index.Build(games);
  EXPECT_TRUE(index.GamesNamed("").empty());
}

}  // namespace
}  // namespace zeb
