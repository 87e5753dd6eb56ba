#pragma once
// The games list's search: the games that a search text finds, the best
// match first. Built once from the game table when the search opens, then
// asked for each text as it is typed. Pure: no screen, no files.
//
// Which games: those for which every word of the text holds (search_words.h
// says what the words are). The filter words that need the machine
// information (year, maker, players, is:working, is:bios, is:mechanical)
// hold for no game the information does not describe, negated or not, and
// none at all without information; the same for a game whose year is not
// four digits ("198?"), whose players or driver status are not given.
//
// In which order, with plain words: ranked by how the query's letters and
// digits (those of all the plain words that are not negated, one after
// another) meet the game:
//   0. the driver name is the query ("pacman" for "pacman", "pac-man", "pac man");
//   1. the driver name begins with it;
//   2. the description begins with it (its letters and digits compared);
//   3. each plain word begins a word of the description (a word begins at
//      a letter or digit after a blank, a sign or the start);
//   4. the rest.
// Within a rank, parents before clones, then table order. Without plain
// words, table order. With is:played (not negated) the order is the last
// time played, the most recent first, in place of the ranks: the history
// of play, narrowed by the other words (one time: by rank, then as above).
//
// A text that only extends the last plain word of the one before (or adds
// a plain word after it) narrows that one's games; any other text is looked
// for among all the games. Both give the same games.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machines/machine_info.h"
#include "search/favourites.h"
#include "search/played_games.h"
#include "search/search_words.h"
#include "search/text_signature.h"
#include "settings/game_table.h"

namespace zeb {

class GameFinder {
 public:
  // Takes in games 1 to GameCount of the table as they stand (driver
  // names, descriptions, clone marks, categories, availability), their
  // summaries (by game number; empty without information), the favourites
  // and the games played. The finder holds its own copy of all it needs.
  void Build(const GameTable& table, const GameMachines& machines, const Favourites& favourites,
             const PlayedGames& played);
  // The games that `text` finds, in their order, into `games` (emptied
  // first; its memory is kept for the next call, as is the finder's own).
  void Find(std::string_view text, std::vector<int32_t>& games);
  // A game made a favourite or taken out (F2) while the search is open.
  void SetFavourite(int32_t game, bool favourite);
  // A game played, at `lastPlayed`, while the search is open.
  void SetPlayed(int32_t game, int64_t lastPlayed);
  int32_t GameCount() const { return static_cast<int32_t>(recordAt_.size()); }
  // Gives back the memory.
  void Clear();

 private:
  enum Flag : uint16_t {
    CloneFlag = 1,
    AvailableFlag = 2,
    FavouriteFlag = 4,
    PlayedFlag = 8,
    InfoFlag = 16,  // the machine information describes the game
    BiosFlag = 32,
    MechanicalFlag = 64,
    WorkingFlag = 128,
    StatusFlag = 256,  // its driver status is given
  };
  // What the search looks at in a game's texts, kept together so that a
  // game's texts cost one or two reads of memory: in records_, one record
  // a game in table order, each a Record followed by the folded driver name,
  // a 0 byte, the folded description, a 0 byte (no folded word holds one, so
  // a match never runs from the name into the description), and WordCount
  // bytes: where in the description each of its words begins.
  struct Record {
    uint8_t NameLength = 0;
    uint8_t DescriptionLength = 0;
    uint8_t WordCount = 0;
  };
  // What the ranks ask of a game, side by side for all the games: most
  // games get their rank from it without their record.
  struct RankFacts {
    uint64_t Initials = 0;  // the Letters bits of the first letters of the description's words
    char Name[4] = {};      // the first bytes of the folded name and description, 0 after their end
    char Description[4] = {};
    uint8_t NameLength = 0;
    uint8_t Clone = 0;
  };
  // The values the filter words ask for, by game.
  struct Values {
    uint32_t Maker = 0;     // folded manufacturer: an entry of the pool
    uint32_t Category = 0;  // folded category: an entry of the pool
    int32_t Players = 0;    // 0: not given
    int16_t Year = 0;       // 0: not four digits
  };

  // A game found: where its record is, and its number.
  struct Match {
    uint32_t At;
    int32_t Game;
  };

  const Record& RecordAt(uint32_t at) const { return *reinterpret_cast<const Record*>(records_.data() + at); }
  static const char* TextsOf(const Record& record) { return reinterpret_cast<const char*>(&record + 1); }
  static constexpr std::size_t RecordAlignment = 8;
  void FindAnew(const SearchWords& words);
  void MarkTextHits(const SearchWords& words);
  void KeepHoldingValue(const SearchWord& word, std::size_t index, std::vector<Match>& found) const;
  static bool TextsHold(std::string_view needle, const Record& record);
  void AllHolding(std::string_view needle, std::vector<Match>& found) const;
  void KeepHolding(std::string_view needle, bool negated, std::vector<Match>& found) const;
  static bool BeginsAWord(std::string_view word, const Record& record);
  int RankOf(const SearchWords& words, const Match& match) const;
  void Order(const SearchWords& words, std::vector<int32_t>& games);

  std::vector<unsigned char> records_;
  std::vector<uint32_t> recordAt_;         // by game n at n - 1: where its record begins in records_
  std::vector<TextSignature> signatures_;  // by game n at n - 1: of its name and description
  std::vector<RankFacts> rankFacts_;       // by game n at n - 1
  std::vector<Values> values_;             // by game n at n - 1
  std::vector<uint16_t> flags_;            // by game n at n - 1: its Flag bits
  std::vector<int64_t> lastPlayed_;        // by game n at n - 1
  // The folded manufacturers and categories, each once.
  std::string pool_;
  std::vector<uint32_t> poolStarts_;  // one more at the end

  // The text asked last, its words and the games they find: the records,
  // in table order.
  SearchWords words_;
  SearchWords lastWords_;
  std::vector<Match> matches_;
  bool lastValid_ = false;
  // Memory kept for the next text.
  std::vector<uint8_t> keys_;         // by match: its key in the order
  std::vector<uint8_t> textHits_;     // per maker or category word, by pool entry
  std::vector<uint32_t> textHitsAt_;  // per word: where its pool entries begin in textHits_
  std::vector<uint32_t> valueWords_;  // the words that ask for more than Flag bits
  std::string query_;                 // the letters and digits of the plain words, together
  uint64_t queryInitials_ = 0;        // the Letters bits of their first letters
  bool queryLetters_ = false;         // each of them one letter or digit of ASCII
  struct Ranked {
    int64_t LastPlayed;
    uint32_t Key;
    int32_t Game;
  };
  std::vector<Ranked> ranked_;
};

}  // namespace zeb
