#include "search/game_finder.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "search/folded_text.h"

namespace zeb {

namespace {

// The year of a summary: four digits, or 0.
int16_t YearOf(std::string_view year) {
  if (year.size() != 4) return 0;
  int value = 0;
  for (char c : year) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return static_cast<int16_t>(value);
}

// Whether `text` begins with `prefix`: byte by byte, for the short texts
// compared here.
bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i]) return false;
  }
  return true;
}

bool IsPlain(const SearchWord& word) { return word.Kind == WordKind::Plain; }
bool IsTextFilter(const SearchWord& word) { return word.Kind == WordKind::Maker || word.Kind == WordKind::Category; }

// Whether `now` asks what `before` did and more: the same words, but for a
// last plain word (not negated) that holds the last one of `before`, or one
// such word added after them. Its games are then among those of `before`.
bool Narrows(const SearchWords& now, const SearchWords& before) {
  if (now.Words.empty()) return false;
  const SearchWord& last = now.Words.back();
  if (!IsPlain(last) || last.Negated) return false;
  const std::size_t same = now.Words.size() - 1;
  if (before.Words.size() != same && before.Words.size() != same + 1) return false;
  for (std::size_t i = 0; i < same; ++i) {
    if (!SameWord(now, i, before, i)) return false;
  }
  if (before.Words.size() == same) return true;
  const SearchWord& was = before.Words.back();
  return IsPlain(was) && !was.Negated && now.TextOf(last).find(before.TextOf(was)) != std::string_view::npos;
}

}  // namespace

void GameFinder::Build(const GameTable& table, const GameMachines& machines, const Favourites& favourites,
                       const PlayedGames& played) {
  Clear();
  const int count = TableGames(table);
  games_.resize(static_cast<std::size_t>(count));
  flags_.assign(static_cast<std::size_t>(count), 0);
  lastPlayed_.assign(static_cast<std::size_t>(count), 0);
  signatures_.resize(static_cast<std::size_t>(count));
  std::size_t textBytes = 0;
  for (int number = 1; number <= count; ++number) {
    textBytes += table.Games[number].DriverName.Length() + table.Games[number].Description.Length() + 2;
  }
  texts_.reserve(textBytes);
  wordStarts_.reserve(textBytes);
  std::unordered_map<std::string, uint32_t> pooled;
  std::string folded;
  auto pool = [&](std::string_view text) {
    folded.clear();
    AppendFolded(folded, text);
    auto [entry, added] = pooled.try_emplace(folded, static_cast<uint32_t>(poolStarts_.size()));
    if (added) {
      poolStarts_.push_back(static_cast<uint32_t>(pool_.size()));
      pool_ += folded;
    }
    return entry->second;
  };
  for (int number = 1; number <= count; ++number) {
    const GameRecord& record = table.Games[number];
    Game& game = games_[static_cast<std::size_t>(number - 1)];
    uint16_t& flags = flags_[static_cast<std::size_t>(number - 1)];
    game.Name = static_cast<uint32_t>(texts_.size());
    AppendFolded(texts_, record.DriverName);
    texts_ += '\0';
    game.Description = static_cast<uint32_t>(texts_.size());
    wordStarts_.resize(texts_.size(), 0);
    bool inWord = false;
    for (char c : record.Description.View()) {
      const unsigned char byte = FoldedByte(c);
      if (byte != 0) {
        texts_ += static_cast<char>(byte);
        wordStarts_.push_back(inWord ? 0 : 1);
        if (!inWord) game.Initials |= uint64_t{1} << TextSignature::LetterBit(byte);
      }
      inWord = byte != 0;
    }
    game.End = static_cast<uint32_t>(texts_.size());
    texts_ += '\0';
    wordStarts_.push_back(0);
    TextSignature& signature = signatures_[static_cast<std::size_t>(number - 1)];
    signature.Add(std::string_view(texts_).substr(game.Name, game.Description - 1 - game.Name));
    signature.Add(std::string_view(texts_).substr(game.Description, game.End - game.Description));

    game.Category = pool(record.Category);
    if (!record.CloneOf.Empty()) flags |= CloneFlag;
    if (record.Available == "1") flags |= AvailableFlag;
    if (favourites.Contains(record.DriverName)) flags |= FavouriteFlag;
    if (const PlayedGame* play = played.Find(record.DriverName)) {
      flags |= PlayedFlag;
      lastPlayed_[static_cast<std::size_t>(number - 1)] = play->LastPlayed;
    }
    if (const MachineSummary* summary = machines.Of(number)) {
      flags |= InfoFlag;
      game.Maker = pool(summary->Manufacturer);
      game.Year = YearOf(summary->Year);
      game.Players = std::max(0, summary->Players);
      if (summary->IsBios) flags |= BiosFlag;
      if (summary->IsMechanical) flags |= MechanicalFlag;
      if (summary->Status != DriverStatus::Unknown) flags |= StatusFlag;
      if (summary->Status == DriverStatus::Good || summary->Status == DriverStatus::Imperfect) {
        flags |= WorkingFlag;
      }
    }
  }
  poolStarts_.push_back(static_cast<uint32_t>(pool_.size()));
  matches_.reserve(games_.size());
  keys_.assign(games_.size(), 0);
}

void GameFinder::Clear() {
  std::vector<Game>().swap(games_);
  std::vector<uint16_t>().swap(flags_);
  std::string().swap(texts_);
  std::vector<TextSignature>().swap(signatures_);
  std::vector<uint8_t>().swap(wordStarts_);
  std::vector<int64_t>().swap(lastPlayed_);
  std::string().swap(pool_);
  std::vector<uint32_t>().swap(poolStarts_);
  words_ = SearchWords();
  lastWords_ = SearchWords();
  std::vector<int32_t>().swap(matches_);
  lastValid_ = false;
  std::vector<uint8_t>().swap(keys_);
  std::vector<uint8_t>().swap(textHits_);
  std::vector<uint32_t>().swap(textHitsAt_);
  std::string().swap(query_);
  std::vector<Ranked>().swap(ranked_);
}

void GameFinder::SetFavourite(int32_t game, bool favourite) {
  if (game < 1 || game > GameCount()) return;
  uint16_t& flags = flags_[static_cast<std::size_t>(game - 1)];
  flags = favourite ? static_cast<uint16_t>(flags | FavouriteFlag) : static_cast<uint16_t>(flags & ~FavouriteFlag);
  lastValid_ = false;
}

void GameFinder::SetPlayed(int32_t game, int64_t lastPlayed) {
  if (game < 1 || game > GameCount()) return;
  flags_[static_cast<std::size_t>(game - 1)] |= PlayedFlag;
  lastPlayed_[static_cast<std::size_t>(game - 1)] = lastPlayed;
  lastValid_ = false;
}

void GameFinder::Find(std::string_view text, std::vector<int32_t>& games) {
  ParseSearchText(text, words_);
  if (!lastValid_ || !SameWords(words_, lastWords_)) {
    if (lastValid_ && Narrows(words_, lastWords_)) {
      KeepHolding(words_.TextOf(words_.Words.back()), false, matches_);
    } else {
      FindAnew(words_);
    }
  }
  std::swap(words_, lastWords_);
  lastValid_ = true;
  Order(lastWords_, games);
}

// For each maker or category word, which entries of the pool hold its text.
void GameFinder::MarkTextHits(const SearchWords& words) {
  textHitsAt_.assign(words.Words.size(), 0);
  const std::size_t entries = poolStarts_.empty() ? 0 : poolStarts_.size() - 1;
  std::size_t used = 0;
  for (std::size_t i = 0; i < words.Words.size(); ++i) {
    if (!IsTextFilter(words.Words[i])) continue;
    textHitsAt_[i] = static_cast<uint32_t>(used);
    used += entries;
    if (textHits_.size() < used) textHits_.resize(used);
    const std::string_view needle = words.TextOf(words.Words[i]);
    for (std::size_t entry = 0; entry < entries; ++entry) {
      const std::string_view text =
          std::string_view(pool_).substr(poolStarts_[entry], poolStarts_[entry + 1] - poolStarts_[entry]);
      textHits_[textHitsAt_[i] + entry] = text.find(needle) != std::string_view::npos;
    }
  }
}

// Those of `games` for which filter word `index` of the text, one that
// asks for a value of the game (year, maker, category, players), holds.
// Those that need the machine information are only asked of games it
// describes.
void GameFinder::KeepHoldingValue(const SearchWord& word, std::size_t index, std::vector<int32_t>& games) const {
  const bool negated = word.Negated;
  auto keepIf = [&](auto holds) {
    std::size_t kept = 0;
    for (int32_t number : games) {
      if (holds(games_[static_cast<std::size_t>(number - 1)])) games[kept++] = number;
    }
    games.resize(kept);
  };
  const uint8_t* hits = textHits_.data() + textHitsAt_[index];
  switch (word.Kind) {
    case WordKind::Year:
      keepIf([&](const Game& game) {
        return game.Year != 0 && (game.Year >= word.From && game.Year <= word.To) != negated;
      });
      break;
    case WordKind::Maker:
      keepIf([&](const Game& game) { return (hits[game.Maker] != 0) != negated; });
      break;
    case WordKind::Category:
      keepIf([&](const Game& game) { return (hits[game.Category] != 0) != negated; });
      break;
    case WordKind::Players:
      keepIf([&](const Game& game) { return game.Players != 0 && (game.Players >= word.From) != negated; });
      break;
    default:
      games.clear();
      break;
  }
}

void GameFinder::FindAnew(const SearchWords& words) {
  matches_.clear();
  // The filter words as Flag bits that must be set or clear (the words
  // that need the machine information need InfoFlag set), and the words
  // that ask for a value besides.
  uint16_t mask = 0;
  uint16_t wanted = 0;
  bool contradiction = false;
  auto require = [&](uint16_t bit, bool set) {
    if ((mask & bit) != 0 && ((wanted & bit) != 0) != set) contradiction = true;
    mask |= bit;
    if (set) wanted |= bit;
  };
  valueWords_.clear();
  bool filters = false;
  for (std::size_t i = 0; i < words.Words.size(); ++i) {
    const SearchWord& word = words.Words[i];
    if (!IsPlain(word)) filters = true;
    if (SearchWords::NeedsMachineInfo(word.Kind)) require(InfoFlag, true);
    switch (word.Kind) {
      case WordKind::Never:
        return;
      case WordKind::Year:
      case WordKind::Maker:
      case WordKind::Category:
      case WordKind::Players:
        valueWords_.push_back(static_cast<uint32_t>(i));
        break;
      case WordKind::Working:
        require(StatusFlag, true);
        require(WorkingFlag, !word.Negated);
        break;
      case WordKind::Bios:
        require(BiosFlag, !word.Negated);
        break;
      case WordKind::Mechanical:
        require(MechanicalFlag, !word.Negated);
        break;
      case WordKind::Available:
        require(AvailableFlag, !word.Negated);
        break;
      case WordKind::Parent:
        require(CloneFlag, word.Negated);
        break;
      case WordKind::Clone:
        require(CloneFlag, !word.Negated);
        break;
      case WordKind::Favourite:
        require(FavouriteFlag, !word.Negated);
        break;
      case WordKind::Played:
        require(PlayedFlag, !word.Negated);
        break;
      case WordKind::Plain:
        break;
    }
  }
  if (contradiction) return;
  // First the Flag bits, then each value word over the games they leave,
  // then each plain word (the first over all the games when there are no
  // filter words).
  bool all = true;
  if (filters) {
    for (std::size_t i = 0; i < games_.size(); ++i) {
      if ((flags_[i] & mask) == wanted) matches_.push_back(static_cast<int32_t>(i + 1));
    }
    MarkTextHits(words);
    for (uint32_t index : valueWords_) KeepHoldingValue(words.Words[index], index, matches_);
    all = false;
  }
  for (bool negated : {false, true}) {
    for (const SearchWord& word : words.Words) {
      if (!IsPlain(word) || word.Negated != negated) continue;
      if (all && !negated) {
        AllHolding(words.TextOf(word), matches_);
      } else {
        if (all) {
          for (std::size_t i = 0; i < games_.size(); ++i) matches_.push_back(static_cast<int32_t>(i + 1));
        }
        KeepHolding(words.TextOf(word), negated, matches_);
      }
      all = false;
    }
  }
  if (all) {
    for (std::size_t i = 0; i < games_.size(); ++i) matches_.push_back(static_cast<int32_t>(i + 1));
  }
}

// Whether game number `game`'s texts hold `needle`, whose signature is
// given: its signature first, then, where that is no answer, its texts.
bool GameFinder::Holds(std::string_view needle, const TextSignature& signature, bool exact, int32_t game) const {
  const auto index = static_cast<std::size_t>(game - 1);
  if (!signatures_[index].MayHold(signature)) return false;
  if (exact) return true;
  const Game& entry = games_[index];
  return std::string_view(texts_.data() + entry.Name, entry.End - entry.Name).find(needle) != std::string_view::npos;
}

// Every game whose texts hold `needle`, in table order.
void GameFinder::AllHolding(std::string_view needle, std::vector<int32_t>& games) const {
  TextSignature signature;
  signature.Add(needle);
  const bool exact = TextSignature::Exact(needle);
  games.clear();
  for (int32_t game = 1; game <= GameCount(); ++game) {
    if (Holds(needle, signature, exact, game)) games.push_back(game);
  }
}

// Those of `games` whose texts hold `needle` (negated: do not).
void GameFinder::KeepHolding(std::string_view needle, bool negated, std::vector<int32_t>& games) const {
  TextSignature signature;
  signature.Add(needle);
  const bool exact = TextSignature::Exact(needle);
  std::size_t kept = 0;
  for (int32_t game : games) {
    if (Holds(needle, signature, exact, game) != negated) games[kept++] = game;
  }
  games.resize(kept);
}

// Whether `word` begins a word of the game's description.
bool GameFinder::BeginsAWord(std::string_view word, const Game& game) const {
  if ((game.Initials >> TextSignature::LetterBit(static_cast<unsigned char>(word[0])) & 1) == 0) return false;
  const std::string_view description(texts_.data() + game.Description, game.End - game.Description);
  for (std::size_t at = description.find(word); at != std::string_view::npos; at = description.find(word, at + 1)) {
    if (wordStarts_[game.Description + at] != 0) return true;
  }
  return false;
}

int GameFinder::RankOf(const SearchWords& words, const Game& game) const {
  const std::string_view name(texts_.data() + game.Name, game.Description - 1 - game.Name);
  if (BeginsWith(name, query_)) return name.size() == query_.size() ? 0 : 1;
  const std::string_view description(texts_.data() + game.Description, game.End - game.Description);
  if (BeginsWith(description, query_)) return 2;
  if ((game.Initials & queryInitials_) != queryInitials_) return 4;
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated && !BeginsAWord(words.TextOf(word), game)) return 4;
  }
  return 3;
}

// The games found, in table order in matches_, into `games` in their order.
void GameFinder::Order(const SearchWords& words, std::vector<int32_t>& games) {
  query_.clear();
  queryInitials_ = 0;
  bool byPlay = false;
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated) {
      query_ += words.TextOf(word);
      queryInitials_ |= uint64_t{1} << TextSignature::LetterBit(static_cast<unsigned char>(words.TextOf(word)[0]));
    }
    byPlay = byPlay || (word.Kind == WordKind::Played && !word.Negated);
  }
  games.clear();
  if (query_.empty() && !byPlay) {
    games.assign(matches_.begin(), matches_.end());
    return;
  }
  // The key of a game: its rank, then parent (0) or clone (1).
  constexpr int Keys = 10;
  auto keyOf = [&](int32_t number) {
    const Game& game = games_[static_cast<std::size_t>(number - 1)];
    const int rank = query_.empty() ? 0 : RankOf(words, game);
    const uint16_t flags = flags_[static_cast<std::size_t>(number - 1)];
    return static_cast<uint32_t>(rank * 2 + ((flags & CloneFlag) != 0 ? 1 : 0));
  };
  if (byPlay) {
    ranked_.clear();
    for (int32_t number : matches_) {
      ranked_.push_back({lastPlayed_[static_cast<std::size_t>(number - 1)], keyOf(number), number});
    }
    std::sort(ranked_.begin(), ranked_.end(), [](const Ranked& a, const Ranked& b) {
      if (a.LastPlayed != b.LastPlayed) return a.LastPlayed > b.LastPlayed;
      if (a.Key != b.Key) return a.Key < b.Key;
      return a.Game < b.Game;
    });
    for (const Ranked& entry : ranked_) games.push_back(entry.Game);
    return;
  }
  // A counting sort by key keeps table order within each key.
  std::array<std::size_t, Keys + 1> first{};
  for (int32_t number : matches_) {
    const uint32_t key = keyOf(number);
    keys_[static_cast<std::size_t>(number - 1)] = static_cast<uint8_t>(key);
    ++first[key + 1];
  }
  for (int key = 0; key < Keys; ++key) first[key + 1] += first[key];
  games.resize(matches_.size());
  for (int32_t number : matches_) games[first[keys_[static_cast<std::size_t>(number - 1)]]++] = number;
}

}  // namespace zeb
