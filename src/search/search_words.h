#pragma once
// The words of a search text, as the games list's search reads them.
//
// The text splits into words at blanks (spaces and tabs). A double quote
// keeps blanks within the word until the next one (an unclosed quote runs
// to the end of the text); the quotes themselves are not part of the word.
// A "-" before a word negates it: the word must not hold.
//
// A plain word is its letters and digits (folded_text.h): it holds for a
// game whose driver name or description contains them, compared letters and
// digits only. "pac-man" typed as one word is "pacman"; "Pac Man" is two
// words that must both appear, anywhere; "\"Pac Man\"" in quotes is one word,
// "pacman", which finds "Pac-Man", "PacMan" and "pacman".
//
// A word that begins with a known prefix, unquoted, is a filter word:
//   year:1981  year:1980-1984   the four digits of the game's year
//   maker:TEXT  cat:TEXT        manufacturer / category contains TEXT,
//                               compared as plain words are
//   players:N                   at least N players
//   is:available is:working is:parent is:clone is:bios is:mechanical
//   is:favourite (or is:favorite) is:played
// Prefixes and the words after "is:" ignore the case of ASCII letters. A
// word with an unknown prefix ("foo:bar", "is:nothing", "is:" itself) or
// one quoted from its start ("\"year:1981\"") is a plain word.
//
// While a filter word is being typed it is what it is: a year or players
// word whose value is incomplete or not a number ("year:19", "year:1980-",
// "players:", "players:x") matches no game, negated or not (Never). A word
// with no letters or digits to look for ("-" alone, "&", "maker:", "cat:-")
// asks nothing and is left out, so that typing the "-" of "-pacman" leaves
// the list as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

enum class WordKind : unsigned char {
  Plain,
  Year,      // From to To, both four-digit years
  Maker,     // the folded text in Texts
  Category,  // the folded text in Texts
  Players,   // at least From
  Available,
  Working,
  Parent,
  Clone,
  Bios,
  Mechanical,
  Favourite,
  Played,
  Never,  // an incomplete or invalid filter value: holds for no game
};

struct SearchWord {
  WordKind Kind = WordKind::Plain;
  bool Negated = false;
  uint32_t TextStart = 0;  // Plain, Maker, Category: the folded text in SearchWords::Texts
  uint32_t TextLength = 0;
  int32_t From = 0;
  int32_t To = 0;
};

// The words of one text in the order typed, with the folded texts they
// refer to. Its memory is kept from one text to the next.
struct SearchWords {
  std::vector<SearchWord> Words;
  std::string Texts;

  std::string_view TextOf(const SearchWord& word) const {
    return std::string_view(Texts).substr(word.TextStart, word.TextLength);
  }
  // Whether the filter word needs the machine information (year, maker,
  // players, working, BIOS, mechanical).
  static bool NeedsMachineInfo(WordKind kind);
};

// Whether word `i` of `a` and word `j` of `b` ask the same of every game.
bool SameWord(const SearchWords& a, std::size_t i, const SearchWords& b, std::size_t j);
// Whether two parsed texts ask the same of every game.
bool SameWords(const SearchWords& a, const SearchWords& b);

// The words of `text` into `words` (emptied first).
void ParseSearchText(std::string_view text, SearchWords& words);

}  // namespace zeb
