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
    const SearchWord& a = now.Words[i];
    const SearchWord& b = before.Words[i];
    if (a.Kind != b.Kind || a.Negated != b.Negated || a.From != b.From || a.To != b.To ||
        now.TextOf(a) != before.TextOf(b)) {
      return false;
    }
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
  lastPlayed_.assign(static_cast<std::size_t>(count), 0);
  starts_.reserve(static_cast<std::size_t>(count) + 1);
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
    game.Name = static_cast<uint32_t>(texts_.size());
    starts_.push_back(game.Name);
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
      }
      inWord = byte != 0;
    }
    game.End = static_cast<uint32_t>(texts_.size());
    texts_ += '\0';
    wordStarts_.push_back(0);

    game.Category = pool(record.Category);
    if (!record.CloneOf.Empty()) game.Flags |= CloneFlag;
    if (record.Available == "1") game.Flags |= AvailableFlag;
    if (favourites.Contains(record.DriverName)) game.Flags |= FavouriteFlag;
    if (const PlayedGame* play = played.Find(record.DriverName)) {
      game.Flags |= PlayedFlag;
      lastPlayed_[static_cast<std::size_t>(number - 1)] = play->LastPlayed;
    }
    if (const MachineSummary* summary = machines.Of(number)) {
      game.Flags |= InfoFlag;
      game.Maker = pool(summary->Manufacturer);
      game.Year = YearOf(summary->Year);
      game.Players = std::max(0, summary->Players);
      if (summary->IsBios) game.Flags |= BiosFlag;
      if (summary->IsMechanical) game.Flags |= MechanicalFlag;
      if (summary->Status != DriverStatus::Unknown) game.Flags |= StatusFlag;
      if (summary->Status == DriverStatus::Good || summary->Status == DriverStatus::Imperfect) {
        game.Flags |= WorkingFlag;
      }
    }
  }
  starts_.push_back(static_cast<uint32_t>(texts_.size()));
  poolStarts_.push_back(static_cast<uint32_t>(pool_.size()));
  matches_.reserve(games_.size());
  hits_.assign(games_.size(), 0);
}

void GameFinder::Clear() {
  std::vector<Game>().swap(games_);
  std::string().swap(texts_);
  std::vector<uint32_t>().swap(starts_);
  std::vector<uint8_t>().swap(wordStarts_);
  std::vector<int64_t>().swap(lastPlayed_);
  std::string().swap(pool_);
  std::vector<uint32_t>().swap(poolStarts_);
  words_ = SearchWords();
  lastWords_ = SearchWords();
  std::vector<int32_t>().swap(matches_);
  lastValid_ = false;
  std::vector<uint8_t>().swap(hits_);
  std::vector<uint8_t>().swap(textHits_);
  std::vector<uint32_t>().swap(textHitsAt_);
  std::string().swap(query_);
  std::vector<Ranked>().swap(ranked_);
}

void GameFinder::SetFavourite(int32_t game, bool favourite) {
  if (game < 1 || game > GameCount()) return;
  uint16_t& flags = games_[static_cast<std::size_t>(game - 1)].Flags;
  flags = favourite ? static_cast<uint16_t>(flags | FavouriteFlag) : static_cast<uint16_t>(flags & ~FavouriteFlag);
  lastValid_ = false;
}

void GameFinder::SetPlayed(int32_t game, int64_t lastPlayed) {
  if (game < 1 || game > GameCount()) return;
  games_[static_cast<std::size_t>(game - 1)].Flags |= PlayedFlag;
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

// Whether filter word `index` of the text holds for `game`.
bool GameFinder::Holds(const SearchWord& word, std::size_t index, const Game& game) const {
  const uint16_t flags = game.Flags;
  const bool info = (flags & InfoFlag) != 0;
  bool holds = false;
  switch (word.Kind) {
    case WordKind::Year:
      if (!info || game.Year == 0) return false;
      holds = game.Year >= word.From && game.Year <= word.To;
      break;
    case WordKind::Maker:
      if (!info) return false;
      holds = textHits_[textHitsAt_[index] + game.Maker] != 0;
      break;
    case WordKind::Category:
      holds = textHits_[textHitsAt_[index] + game.Category] != 0;
      break;
    case WordKind::Players:
      if (!info || game.Players == 0) return false;
      holds = game.Players >= word.From;
      break;
    case WordKind::Working:
      if (!info || (flags & StatusFlag) == 0) return false;
      holds = (flags & WorkingFlag) != 0;
      break;
    case WordKind::Bios:
      if (!info) return false;
      holds = (flags & BiosFlag) != 0;
      break;
    case WordKind::Mechanical:
      if (!info) return false;
      holds = (flags & MechanicalFlag) != 0;
      break;
    case WordKind::Available:
      holds = (flags & AvailableFlag) != 0;
      break;
    case WordKind::Parent:
      holds = (flags & CloneFlag) == 0;
      break;
    case WordKind::Clone:
      holds = (flags & CloneFlag) != 0;
      break;
    case WordKind::Favourite:
      holds = (flags & FavouriteFlag) != 0;
      break;
    case WordKind::Played:
      holds = (flags & PlayedFlag) != 0;
      break;
    case WordKind::Plain:
    case WordKind::Never:
      return false;
  }
  return holds != word.Negated;
}

void GameFinder::FindAnew(const SearchWords& words) {
  matches_.clear();
  bool filters = false;
  for (const SearchWord& word : words.Words) {
    if (word.Kind == WordKind::Never) return;
    filters = filters || !IsPlain(word);
  }
  // First the filter words, game by game; then each plain word over the
  // games they leave (the first over all the texts at once when there are
  // none).
  bool all = true;
  if (filters) {
    MarkTextHits(words);
    for (std::size_t i = 0; i < games_.size(); ++i) {
      bool holds = true;
      for (std::size_t w = 0; w < words.Words.size() && holds; ++w) {
        if (!IsPlain(words.Words[w])) holds = Holds(words.Words[w], w, games_[i]);
      }
      if (holds) matches_.push_back(static_cast<int32_t>(i + 1));
    }
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

// Every game whose texts hold `needle`, in table order: one pass over all
// the texts, each match giving the game it lies in, and the search going on
// at the next game's texts.
void GameFinder::AllHolding(std::string_view needle, std::vector<int32_t>& games) const {
  games.clear();
  const std::string_view all(texts_);
  auto next = starts_.begin();
  for (std::size_t at = 0; (at = all.find(needle, at)) != std::string_view::npos;) {
    next = std::upper_bound(next, starts_.end(), static_cast<uint32_t>(at));
    games.push_back(static_cast<int32_t>(next - starts_.begin()));
    at = *next;
  }
}

// Those of `games` whose texts hold `needle` (negated: do not). Among many
// games, one pass over all the texts marks the games that hold it; among
// few, each game's texts are looked at.
void GameFinder::KeepHolding(std::string_view needle, bool negated, std::vector<int32_t>& games) {
  const bool many = games.size() * 8 > games_.size();
  if (many) {
    std::fill(hits_.begin(), hits_.end(), 0);
    const std::string_view all(texts_);
    auto next = starts_.begin();
    for (std::size_t at = 0; (at = all.find(needle, at)) != std::string_view::npos;) {
      next = std::upper_bound(next, starts_.end(), static_cast<uint32_t>(at));
      hits_[static_cast<std::size_t>(next - starts_.begin()) - 1] = 1;
      at = *next;
    }
  }
  std::size_t kept = 0;
  for (int32_t number : games) {
    const Game& game = games_[static_cast<std::size_t>(number - 1)];
    const bool holds = many ? hits_[static_cast<std::size_t>(number - 1)] != 0
                            : std::string_view(texts_.data() + game.Name, game.End - game.Name).find(needle) !=
                                  std::string_view::npos;
    if (holds != negated) games[kept++] = number;
  }
  games.resize(kept);
}

// Whether `word` begins a word of the game's description.
bool GameFinder::BeginsAWord(std::string_view word, const Game& game) const {
  const std::string_view description(texts_.data() + game.Description, game.End - game.Description);
  for (std::size_t at = description.find(word); at != std::string_view::npos; at = description.find(word, at + 1)) {
    if (wordStarts_[game.Description + at] != 0) return true;
  }
  return false;
}

int GameFinder::RankOf(const SearchWords& words, const Game& game) const {
  const std::string_view name(texts_.data() + game.Name, game.Description - 1 - game.Name);
  if (name == query_) return 0;
  if (name.starts_with(query_)) return 1;
  const std::string_view description(texts_.data() + game.Description, game.End - game.Description);
  if (description.starts_with(query_)) return 2;
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated && !BeginsAWord(words.TextOf(word), game)) return 4;
  }
  return 3;
}

// The games found, in table order in matches_, into `games` in their order.
void GameFinder::Order(const SearchWords& words, std::vector<int32_t>& games) {
  query_.clear();
  bool byPlay = false;
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated) query_ += words.TextOf(word);
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
    return static_cast<uint32_t>(rank * 2 + ((game.Flags & CloneFlag) != 0 ? 1 : 0));
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
  // A counting sort by key keeps table order within each key. The keys
  // wait in hits_ (one byte a game) meanwhile.
  std::array<std::size_t, Keys + 1> first{};
  for (int32_t number : matches_) {
    const uint32_t key = keyOf(number);
    hits_[static_cast<std::size_t>(number - 1)] = static_cast<uint8_t>(key);
    ++first[key + 1];
  }
  for (int key = 0; key < Keys; ++key) first[key + 1] += first[key];
  games.resize(matches_.size());
  for (int32_t number : matches_) games[first[hits_[static_cast<std::size_t>(number - 1)]]++] = number;
}

}  // namespace zeb
