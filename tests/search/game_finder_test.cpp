// What the search finds and in which order: plain words, quotes, negation,
// the filter words with and without the machine information, the ranks,
// the favourites and the games played.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "search/search_fixture.h"

namespace zeb {
namespace {

using Names = std::vector<std::string>;
using testing_support::SearchTest;
using testing_support::TestGames;

// Every game of the table in table order, but those of `left`.
Names AllBut(const Names& left) {
  Names names;
  for (const auto& game : TestGames()) {
    if (std::find(left.begin(), left.end(), game.Name) == left.end()) names.emplace_back(game.Name);
  }
  return names;
}

class GameFinderTest : public SearchTest {
 protected:
  GameFinderTest() { Build(); }
};

TEST_F(GameFinderTest, PlainWordsCompareLettersAndDigitsOfTheNameOrTheDescription) {
  const Names pacMan = {"pacman", "25pacman", "pacplus", "mspacman", "superpac", "4in1boot"};
  for (const char* text : {"pacman", "Pac-Man", "PAC.MAN!", "\"pac man\"", "pac man", "  PaC   mAn "}) {
    EXPECT_EQ(Find(text), pacMan) << text;
  }
  // Every word must hold, each anywhere; a quoted one as one piece.
  EXPECT_EQ(Find("galaga namco"), Names{"galaga"});
  EXPECT_EQ(Find("japan man"), Names{"puckman"});
  EXPECT_EQ(Find("\"japan man\""), Names{});
  EXPECT_EQ(Find("\"man (Jap"), Names{"puckman"});  // unclosed: to the end
  // Never from the name into the description, nor into the next game.
  EXPECT_EQ(Find("zaxxonzaxxon"), Names{});
  EXPECT_EQ(Find("pongpong"), Names{});
  EXPECT_EQ(Find("xeviousxevious"), Names{});
  // An empty text, or one with nothing to look for, finds every game.
  EXPECT_EQ(Find(""), AllBut({}));
  EXPECT_EQ(Find(" - & "), AllBut({}));
}

TEST_F(GameFinderTest, CaseFoldsFromAToZAndBytesAbove127CompareAsTheyAre) {
  // "ax" alone is in galaxian and fantastc too.
  EXPECT_EQ(Find("ZAX"), Names{"zaxxon"});
  EXPECT_EQ(Find("\"zaxxon (set\""), Names{"zaxxon"});  // the description's ZAXXON
  // The é of code page 437 is a letter: it narrows the list.
  EXPECT_EQ(Find("ach\x82"), Names{"attache"});
  EXPECT_EQ(Find("\x82"), Names{"attache"});
  EXPECT_EQ(Find("ach\x90"), Names{});  // É is another letter
  EXPECT_EQ(Find("ache"), Names{"attache"});  // the driver name
}

TEST_F(GameFinderTest, ANegatedPlainWordFindsTheOtherGames) {
  for (const char* word : {"pacman", "gal", "\"data east\"", "a", "\x82", "zzz"}) {
    Names found = Find(word);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(Find(std::string("-") + word), AllBut(found)) << word;
  }
  EXPECT_EQ(Find("pac -man"), Names{});
  EXPECT_EQ(Find("gal -\"galaga (\""), Names{"galaxian"});  // the sign is no letter
  EXPECT_EQ(Find("gal -mid"), (Names{"galaga", "galaxian", "fantastc", "bfgalaga"}));
}

TEST_F(GameFinderTest, YearWords) {
  EXPECT_EQ(Find("year:1981"), (Names{"bfgalaga", "galaga", "galagamw", "mspacman"}));
  for (const char* text : {"year:1980-1981", "year:1981-1980"}) {
    EXPECT_EQ(Find(text), (Names{"bfgalaga", "galaga", "galagamw", "mspacman", "pacman", "puckman"})) << text;
  }
  // 197? is no year: neither pong's nor any other; nor is a game the
  // information does not describe (xevious).
  EXPECT_EQ(Find("year:1972"), Names{"pong"});
  EXPECT_EQ(Find("year:1970-1979"), (Names{"galaxian", "pong"}));
  EXPECT_EQ(Find("-year:1980-2005"), (Names{"galaxian", "pong"}));
  // Incomplete, as while it is typed: nothing, negated or not.
  for (const char* text : {"year:197", "-year:197", "year:1980-", "-year:", "year:197?"}) {
    EXPECT_EQ(Find(text), Names{}) << text;
  }
}

TEST_F(GameFinderTest, MakerAndCategoryWordsCompareAsPlainWords) {
  const Names namco = {"25pacman", "galaga", "galagamw", "galaxian", "pacman", "pacplus", "puckman", "superpac"};
  EXPECT_EQ(Find("maker:namco"), namco);
  EXPECT_EQ(Find("maker:\"data east\""), Names{"attache"});
  EXPECT_EQ(Find("MAKER:DataEast"), Names{"attache"});
  EXPECT_EQ(Find("-maker:namco"), AllBut({"25pacman", "galaga", "galagamw", "galaxian", "pacman", "pacplus",
                                          "puckman", "superpac", "xevious"}));
  const Names shooters = {"bfgalaga", "fantastc", "galaga", "galagamw", "galaxian", "xevious", "zaxxon"};
  EXPECT_EQ(Find("cat:shooter/flying"), shooters);
  EXPECT_EQ(Find("-cat:\"shooter / fly\""), AllBut(shooters));
  EXPECT_EQ(Find("cat:maze maker:midway"), (Names{"mspacman", "pacman", "pacplus"}));
}

TEST_F(GameFinderTest, PlayersWords) {
  EXPECT_EQ(Find("players:3"), Names{"pongd"});
  EXPECT_EQ(Find("-players:2"), Names{"attache"});
  // Players not given (0) hold for no players word.
  EXPECT_EQ(Find("players:0"), AllBut({"mechbell", "neogeo", "xevious", "zaxxon"}));
  EXPECT_EQ(Find("players:2"), AllBut({"attache", "mechbell", "neogeo", "xevious", "zaxxon"}));
  EXPECT_EQ(Find("players:"), Names{});
  EXPECT_EQ(Find("-players:two"), Names{});
}

TEST_F(GameFinderTest, IsWordsOfTheMachineInformation) {
  // A driver status not given is neither working nor not.
  EXPECT_EQ(Find("is:working"), AllBut({"4in1boot", "attache", "mechbell", "neogeo", "xevious"}));
  EXPECT_EQ(Find("-is:working"), (Names{"4in1boot", "attache"}));
  EXPECT_EQ(Find("is:bios"), Names{"neogeo"});
  EXPECT_EQ(Find("-is:bios"), AllBut({"neogeo", "xevious"}));
  EXPECT_EQ(Find("is:mechanical"), Names{"mechbell"});
  EXPECT_EQ(Find("-is:mechanical"), AllBut({"mechbell", "xevious"}));
}

TEST_F(GameFinderTest, IsWordsOfTheTable) {
  const Names clones = {"bfgalaga", "galagamw", "pacman"};
  EXPECT_EQ(Find("is:clone"), clones);
  EXPECT_EQ(Find("is:parent"), AllBut(clones));
  EXPECT_EQ(Find("-is:clone"), AllBut(clones));
  EXPECT_EQ(Find("-is:parent"), clones);
  const Names missing = {"4in1boot", "bfgalaga", "galagamw", "mechbell", "pacplus", "pongd"};
  EXPECT_EQ(Find("is:available"), AllBut(missing));
  EXPECT_EQ(Find("-is:available"), missing);
  EXPECT_EQ(Find("year:1981 -is:clone gal"), Names{"galaga"});
  EXPECT_EQ(Find("is:nothing"), Names{});  // a plain word, "isnothing"
}

TEST_F(GameFinderTest, WithoutInformationItsWordsFindNothingAndTheOthersStillWork) {
  Build(false);
  for (const char* text : {"year:1981", "-year:1981", "maker:namco", "-maker:namco", "players:1", "-players:9",
                           "is:working", "-is:working", "is:bios", "-is:bios", "is:mechanical", "-is:mechanical",
                           "pac -year:1981"}) {
    EXPECT_EQ(Find(text), Names{}) << text;
  }
  EXPECT_EQ(Find("cat:shooter is:clone"), (Names{"bfgalaga", "galagamw"}));
  EXPECT_EQ(Find("-is:available gal"), (Names{"galagamw", "bfgalaga"}));
}

TEST_F(GameFinderTest, RanksNameThenNameStartThenDescriptionStartThenWordStartsThenTheRest) {
  // pacman is a clone; the name equal to the query comes first all the same.
  // 25pacman and pacplus: the description begins with it; mspacman and
  // superpac: "Pac-Man" begins a word; 4in1boot: "Mspacman" holds it.
  EXPECT_EQ(Find("pacman"), (Names{"pacman", "25pacman", "pacplus", "mspacman", "superpac", "4in1boot"}));
  // Names that begin with it, the parent first; then descriptions.
  EXPECT_EQ(Find("pac"), (Names{"pacplus", "pacman", "25pacman", "mspacman", "superpac", "4in1boot"}));
  EXPECT_EQ(Find("pong"), (Names{"pong", "pongd"}));
  // Within the rank of word starts, the parent fantastc before the clone
  // bfgalaga that comes first in the table.
  EXPECT_EQ(Find("galaga"), (Names{"galaga", "galagamw", "fantastc", "bfgalaga"}));
  EXPECT_EQ(Find("galax"), (Names{"galaxian", "fantastc"}));
  // Words of one letter: "Geo" and "(Galaga" begin with g; "bootleg" and
  // "pong" only hold it.
  EXPECT_EQ(Find("g"), (Names{"galaga", "galaxian", "galagamw", "fantastc", "neogeo", "bfgalaga", "4in1boot", "pong",
                              "pongd"}));
  EXPECT_EQ(Find("g B"), (Names{"galaga", "bfgalaga", "4in1boot", "pongd"}));
  // Two words: each must begin a word for the fourth rank.
  EXPECT_EQ(Find("man pac"), (Names{"25pacman", "mspacman", "pacplus", "superpac", "pacman", "4in1boot"}));
  // Only negated plain words and filter words: table order.
  EXPECT_EQ(Find("-a"), (Names{"neogeo", "pong", "pongd"}));
  EXPECT_EQ(Find("is:available pac"), (Names{"pacman", "25pacman", "mspacman", "superpac"}));
}

TEST_F(GameFinderTest, FavouritesAndTheirChangesWhileTheSearchIsOpen) {
  std::string reason;
  for (const char* name : {"galaga", "zaxxon", "notinthetable"}) ASSERT_TRUE(favourites.Toggle(name, reason)) << reason;
  Build();
  EXPECT_EQ(Find("is:favourite"), (Names{"galaga", "zaxxon"}));
  EXPECT_EQ(Find("-is:favorite gal"), (Names{"galaxian", "galagamw", "fantastc", "bfgalaga"}));
  finder.SetFavourite(Number("pong"), true);
  EXPECT_EQ(Find("-is:favorite gal"), (Names{"galaxian", "galagamw", "fantastc", "bfgalaga"}));
  EXPECT_EQ(Find("is:favourite"), (Names{"galaga", "pong", "zaxxon"}));
  finder.SetFavourite(Number("galaga"), false);
  EXPECT_EQ(Find("is:favourite"), (Names{"pong", "zaxxon"}));
  finder.SetFavourite(0, true);  // no game: nothing changes
  EXPECT_EQ(Find("is:favourite"), (Names{"pong", "zaxxon"}));
}

TEST_F(GameFinderTest, GamesPlayedComeTheMostRecentFirst) {
  std::string reason;
  ASSERT_TRUE(played.Record("pacman", 200, reason)) << reason;
  ASSERT_TRUE(played.Record("pacplus", 200, reason));
  ASSERT_TRUE(played.Record("4in1boot", 500, reason));
  ASSERT_TRUE(played.Record("pong", 100, reason));
  ASSERT_TRUE(played.Record("pong", 50, reason));  // its last launch
  Build();
  // One time: parents first (pacman is a clone).
  EXPECT_EQ(Find("is:played"), (Names{"4in1boot", "pacplus", "pacman", "pong"}));
  // The time of play, not the rank: 4in1boot has the lowest.
  EXPECT_EQ(Find("is:played pac"), (Names{"4in1boot", "pacplus", "pacman"}));
  EXPECT_EQ(Find("pac -is:played"), (Names{"25pacman", "mspacman", "superpac"}));
  finder.SetPlayed(Number("galaga"), 1000);
  EXPECT_EQ(Find("is:played"), (Names{"galaga", "4in1boot", "pacplus", "pacman", "pong"}));
}

}  // namespace
}  // namespace zeb
