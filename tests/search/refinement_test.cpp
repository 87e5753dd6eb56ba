// Narrowing the last text's games as the text grows finds what a search
// among all the games finds: a property over many texts typed and taken
// back character by character, on the table of well-known games and on a
// larger generated one whose games share many letters.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "search/search_fixture.h"

namespace zeb {
namespace {

using testing_support::SearchTest;

class RefinementTest : public SearchTest {
 protected:
  // A table of `count` games from few letters, a summary for three in four.
  void MakeTable(int count) {
    static const char* Words[] = {"ab", "Ba-c", "Z\x82", "cab", "(a)", "Pac-Man", "gal", "1981"};
    static const char* Years[] = {"1981", "1985", "19?5", "", "1990"};
    static const char* Makers[] = {"Namco", "Data East", "ab", "Z"};
    table->Games.Clear();
    table->GameCount = 0;
    machines.ByGame.assign(static_cast<std::size_t>(count) + 1, MachineSummary{});
    machines.Named.assign(static_cast<std::size_t>(count) + 1, false);
    std::string reason;
    for (int game = 1; game <= count; ++game) {
      GameRecord& record = table->Games[++table->GameCount];
      std::string name = std::to_string(game);
      for (int i = 0; i < 3; ++i) name += "abcz"[random() % 4];
      record.DriverName = name;
      std::string description;
      for (int w = 0, words = 1 + static_cast<int>(random() % 4); w < words; ++w) {
        description += std::string(w ? " " : "") + Words[random() % 8];
      }
      record.Description = description;
      record.CloneOf = random() % 3 == 0 ? "parent" : "";
      record.Category = Words[random() % 8];
      record.Available = random() % 2 ? "1" : "0";
      if (random() % 4 != 0) {
        MachineSummary& summary = machines.ByGame[static_cast<std::size_t>(game)];
        machines.Named[static_cast<std::size_t>(game)] = true;
        summary.Year = Years[random() % 5];
        summary.Manufacturer = Makers[random() % 4];
        summary.Players = static_cast<int32_t>(random() % 4);
        summary.Status = static_cast<DriverStatus>(random() % 4);
        summary.IsBios = random() % 7 == 0;
        summary.IsMechanical = random() % 7 == 0;
      }
      if (random() % 5 == 0) {
        ASSERT_TRUE(favourites.Toggle(name, reason)) << reason;
      }
      if (random() % 5 == 0) {
        ASSERT_TRUE(played.Record(name, static_cast<int64_t>(random() % 10), reason)) << reason;
      }
    }
  }

  std::string RandomText() {
    static const char* Pieces[] = {"a", "b", "c", "z", "\x82", "ab", " ", " ", "-", "\"", ":", "year:", "198",
                                   "1", "-", "is:", "clone", "played", "favourite", "maker:", "cat:", "players:",
                                   "2", "pac", "man", "gal", "\t", "is:working", "bios"};
    std::string text;
    for (int i = 0, pieces = 1 + static_cast<int>(random() % 8); i < pieces; ++i) text += Pieces[random() % 29];
    return text;
  }

  // Types each text and takes it back, character by character, comparing
  // at each step with the same text looked for among all the games.
  void CheckTexts(int texts) {
    Build();
    GameFinder anew;
    anew.Build(*table, machines, favourites, played);
    std::vector<int32_t> narrowed, found;
    for (int t = 0; t < texts; ++t) {
      const std::string text = RandomText();
      for (std::size_t length = 1; length <= 2 * text.size(); ++length) {
        const std::string typed = text.substr(0, length <= text.size() ? length : 2 * text.size() - length);
        finder.Find(typed, narrowed);
        anew.Find("year:", found);  // a text that no other narrows
        anew.Find(typed, found);
        ASSERT_EQ(narrowed, found) << "\"" << typed << "\" of \"" << text << "\"";
      }
    }
  }

  std::minstd_rand random{20240601};
};

TEST_F(RefinementTest, OnTheWellKnownGames) { CheckTexts(300); }

TEST_F(RefinementTest, OnManyGamesOfFewLetters) {
  MakeTable(400);
  CheckTexts(300);
}

}  // namespace
}  // namespace zeb
