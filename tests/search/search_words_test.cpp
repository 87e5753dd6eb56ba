// The words of a search text: blanks, quotes, negation, the filter words
// and what an incomplete one is.

#include "search/search_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zeb {
namespace {

// Each word as "kind text" ("-" before a negated one; years and players
// as numbers).
std::vector<std::string> Described(std::string_view text) {
  static const char* Kinds[] = {"plain", "year", "maker", "cat", "players", "available", "working", "parent",
                                "clone", "bios", "mechanical", "favourite", "played", "never"};
  SearchWords words;
  ParseSearchText(text, words);
  std::vector<std::string> described;
  for (const SearchWord& word : words.Words) {
    std::string item = word.Negated ? "-" : "";
    item += Kinds[static_cast<int>(word.Kind)];
    if (word.Kind == WordKind::Year) item += " " + std::to_string(word.From) + "-" + std::to_string(word.To);
    if (word.Kind == WordKind::Players) item += " " + std::to_string(word.From);
    if (word.TextLength > 0) item += " " + std::string(words.TextOf(word));
    described.push_back(item);
  }
  return described;
}

using Words = std::vector<std::string>;

TEST(SearchWords, PlainWordsAreTheirLettersAndDigitsSplitAtBlanks) {
  EXPECT_EQ(Described("Pac-Man  PLUS\t2"), (Words{"plain pacman", "plain plus", "plain 2"}));
  EXPECT_EQ(Described("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), (Words{"plain abcdefghijklmnopqrstuvwxyz"}));
  // Bytes 128 to 255 are letters, kept as they are; other signs go.
  EXPECT_EQ(Described("Attach\x82 \x90t\xE9"), (Words{"plain attach\x82", "plain \x90t\xE9"}));
  EXPECT_EQ(Described("   "), Words{});
  EXPECT_EQ(Described(""), Words{});
}

TEST(SearchWords, QuotesKeepBlanksAndAnUnclosedOneRunsToTheEnd) {
  EXPECT_EQ(Described("\"data east\" pac"), (Words{"plain dataeast", "plain pac"}));
  EXPECT_EQ(Described("\"data east  corp"), (Words{"plain dataeastcorp"}));
  EXPECT_EQ(Described("ab\"c d\"e f"), (Words{"plain abcde", "plain f"}));
  // Quoted from its start, a word is plain whatever it holds.
  EXPECT_EQ(Described("\"year:1981\" \"-pac\""), (Words{"plain year1981", "plain pac"}));
}

TEST(SearchWords, AMinusNegatesAnyWordAndAWordWithNothingToFindIsLeftOut) {
  EXPECT_EQ(Described("-pacman -\"data east\" -year:1981 -is:clone"),
            (Words{"-plain pacman", "-plain dataeast", "-year 1981-1981", "-clone"}));
  EXPECT_EQ(Described("- & -- ... maker: cat:- -\"\""), Words{});
  EXPECT_EQ(Described("--pac"), (Words{"-plain pac"}));
}

TEST(SearchWords, FilterWordsAndTheirValues) {
  EXPECT_EQ(Described("year:1981 YEAR:1980-1984 year:1984-1980"),
            (Words{"year 1981-1981", "year 1980-1984", "year 1980-1984"}));
  EXPECT_EQ(Described("maker:\"Data East\" Cat:Shooter/Flying players:2 players:99999999999"),
            (Words{"maker dataeast", "cat shooterflying", "players 2", "players 1000000"}));
  EXPECT_EQ(Described("is:available IS:Working is:parent is:clone is:bios is:mechanical"),
            (Words{"available", "working", "parent", "clone", "bios", "mechanical"}));
  EXPECT_EQ(Described("is:favourite is:favorite is:played"), (Words{"favourite", "favourite", "played"}));
}

TEST(SearchWords, UnknownPrefixesArePlainAndIncompleteValuesMatchNothing) {
  EXPECT_EQ(Described("foo:bar is:nothing is: is:av"),
            (Words{"plain foobar", "plain isnothing", "plain is", "plain isav"}));
  EXPECT_EQ(Described("year: year:19 year:1980- year:1980-19 year:198? year:19811 players: players:x -players:2+"),
            (Words{"never", "never", "never", "never", "never", "never", "never", "never", "-never"}));
}

TEST(SearchWords, SameWordsComparesWhatTheWordsAsk) {
  SearchWords a, b;
  ParseSearchText("pac  -man year:1981", a);
  ParseSearchText("Pac -MAN \tyear:1981 -", b);
  EXPECT_TRUE(SameWords(a, b));
  for (const char* other : {"pac -man year:1982", "pac man year:1981", "pac -man", "pa -man year:1981",
                            "pac -man maker:1981"}) {
    ParseSearchText(other, b);
    EXPECT_FALSE(SameWords(a, b)) << other;
  }
}

}  // namespace
}  // namespace zeb
