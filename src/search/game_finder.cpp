#include "search/game_finder.h"

#include <algorithm>
#include <array>
#include <cstring>
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
  const auto games = static_cast<std::size_t>(count);
  recordAt_.resize(games);
  signatures_.resize(games);
  rankFacts_.resize(games);
  values_.resize(games);
  flags_.assign(games, 0);
  lastPlayed_.assign(games, 0);
  // Room for every record at its longest, so that the records never move
  // while they are made: a Record, the texts with their 0 bytes, a word
  // start for at most every other byte of the description, and the padding
  // to the next Record.
  std::size_t room = 0;
  for (int number = 1; number <= count; ++number) {
    const std::size_t description = table.Games[number].Description.Length();
    room += sizeof(Record) + table.Games[number].DriverName.Length() + description + 2 + (description + 1) / 2 +
            RecordAlignment;
  }
  records_.reserve(room);

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
  std::string starts;
  for (int number = 1; number <= count; ++number) {
    const auto index = static_cast<std::size_t>(number - 1);
    const GameRecord& game = table.Games[number];
    Record record;
    RankFacts& facts = rankFacts_[index];
    facts.Clone = game.CloneOf.Empty() ? 0 : 1;
    folded.clear();
    AppendFolded(folded, game.DriverName);
    record.NameLength = static_cast<uint8_t>(folded.size());
    folded += '\0';
    starts.clear();
    bool inWord = false;
    for (char c : game.Description.View()) {
      const unsigned char byte = FoldedByte(c);
      if (byte != 0 && !inWord) {
        starts += static_cast<char>(folded.size() - record.NameLength - 1);
        facts.Initials |= uint64_t{1} << TextSignature::LetterBit(byte);
      }
      if (byte != 0) folded += static_cast<char>(byte);
      inWord = byte != 0;
    }
    record.DescriptionLength = static_cast<uint8_t>(folded.size() - record.NameLength - 1);
    record.WordCount = static_cast<uint8_t>(starts.size());
    folded += '\0';
    folded += starts;
    const std::string_view name = std::string_view(folded).substr(0, record.NameLength);
    const std::string_view description = std::string_view(folded).substr(record.NameLength + 1, record.DescriptionLength);
    signatures_[index].Add(name);
    signatures_[index].Add(description);
    facts.NameLength = record.NameLength;
    name.copy(facts.Name, sizeof facts.Name);
    description.copy(facts.Description, sizeof facts.Description);

    const std::size_t at = records_.size();
    recordAt_[index] = static_cast<uint32_t>(at);
    const std::size_t size = (sizeof(Record) + folded.size() + RecordAlignment - 1) / RecordAlignment * RecordAlignment;
    records_.resize(at + size);
    std::memcpy(records_.data() + at, &record, sizeof record);
    std::memcpy(records_.data() + at + sizeof record, folded.data(), folded.size());

    uint16_t& flags = flags_[index];
    Values& values = values_[index];
    values.Category = pool(game.Category);
    if (!game.CloneOf.Empty()) flags |= CloneFlag;
    if (game.Available == "1") flags |= AvailableFlag;
    if (favourites.Contains(game.DriverName)) flags |= FavouriteFlag;
    if (const PlayedGame* play = played.Find(game.DriverName)) {
      flags |= PlayedFlag;
      lastPlayed_[index] = play->LastPlayed;
    }
    if (const MachineSummary* summary = machines.Of(number)) {
      flags |= InfoFlag;
      values.Maker = pool(summary->Manufacturer);
      values.Year = YearOf(summary->Year);
      values.Players = std::max(0, summary->Players);
      if (summary->IsBios) flags |= BiosFlag;
      if (summary->IsMechanical) flags |= MechanicalFlag;
      if (summary->Status != DriverStatus::Unknown) flags |= StatusFlag;
      if (summary->Status == DriverStatus::Good || summary->Status == DriverStatus::Imperfect) {
        flags |= WorkingFlag;
      }
    }
  }
  poolStarts_.push_back(static_cast<uint32_t>(pool_.size()));
  matches_.reserve(games);
  keys_.reserve(games);
}

void GameFinder::Clear() {
  std::vector<unsigned char>().swap(records_);
  std::vector<uint32_t>().swap(recordAt_);
  std::vector<TextSignature>().swap(signatures_);
  std::vector<RankFacts>().swap(rankFacts_);
  std::vector<Values>().swap(values_);
  std::vector<uint16_t>().swap(flags_);
  std::vector<int64_t>().swap(lastPlayed_);
  std::string().swap(pool_);
  std::vector<uint32_t>().swap(poolStarts_);
  words_ = SearchWords();
  lastWords_ = SearchWords();
  std::vector<Match>().swap(matches_);
  lastValid_ = false;
  std::vector<uint8_t>().swap(keys_);
  std::vector<uint8_t>().swap(textHits_);
  std::vector<uint32_t>().swap(textHitsAt_);
  std::vector<uint32_t>().swap(valueWords_);
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

// Those of `found` for which filter word `index` of the text, one that
// asks for a value of the game (year, maker, category, players), holds.
// Those that need the machine information are only asked of games it
// describes.
void GameFinder::KeepHoldingValue(const SearchWord& word, std::size_t index, std::vector<Match>& found) const {
  const bool negated = word.Negated;
  auto keepIf = [&](auto holds) {
    std::size_t kept = 0;
    for (const Match& match : found) {
      if (holds(values_[static_cast<std::size_t>(match.Game - 1)])) found[kept++] = match;
    }
    found.resize(kept);
  };
  const uint8_t* hits = textHits_.data() + textHitsAt_[index];
  switch (word.Kind) {
    case WordKind::Year:
      keepIf([&](const Values& game) {
        return game.Year != 0 && (game.Year >= word.From && game.Year <= word.To) != negated;
      });
      break;
    case WordKind::Maker:
      keepIf([&](const Values& game) { return (hits[game.Maker] != 0) != negated; });
      break;
    case WordKind::Category:
      keepIf([&](const Values& game) { return (hits[game.Category] != 0) != negated; });
      break;
    case WordKind::Players:
      keepIf([&](const Values& game) { return game.Players != 0 && (game.Players >= word.From) != negated; });
      break;
    default:
      found.clear();
      break;
  }
}

void GameFinder::FindAnew(const SearchWords& words) {
  matches_.clear();
  auto addAllGames = [this] {
    for (std::size_t i = 0; i < recordAt_.size(); ++i) matches_.push_back({recordAt_[i], static_cast<int32_t>(i + 1)});
  };
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
    for (std::size_t i = 0; i < flags_.size(); ++i) {
      if ((flags_[i] & mask) == wanted) matches_.push_back({recordAt_[i], static_cast<int32_t>(i + 1)});
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
        if (all) addAllGames();
        KeepHolding(words.TextOf(word), negated, matches_);
      }
      all = false;
    }
  }
  if (all) addAllGames();
}

// Whether the record's texts hold `needle`.
bool GameFinder::TextsHold(std::string_view needle, const Record& record) {
  return std::string_view(TextsOf(record), record.NameLength + 1u + record.DescriptionLength).find(needle) !=
         std::string_view::npos;
}

// Every game whose texts hold `needle`, in table order: the signatures of
// all the games side by side first, the records only of those they leave
// (each signature rules a game out, or in for a word of one letter).
void GameFinder::AllHolding(std::string_view needle, std::vector<Match>& found) const {
  TextSignature signature;
  signature.Add(needle);
  const bool exact = TextSignature::Exact(needle);
  found.clear();
  for (std::size_t i = 0; i < signatures_.size(); ++i) {
    if (signatures_[i].MayHold(signature) && (exact || TextsHold(needle, RecordAt(recordAt_[i])))) {
      found.push_back({recordAt_[i], static_cast<int32_t>(i + 1)});
    }
  }
}

// Those of `found` whose texts hold `needle` (negated: do not).
void GameFinder::KeepHolding(std::string_view needle, bool negated, std::vector<Match>& found) const {
  TextSignature signature;
  signature.Add(needle);
  const bool exact = TextSignature::Exact(needle);
  std::size_t kept = 0;
  for (const Match& match : found) {
    const bool holds = signatures_[static_cast<std::size_t>(match.Game - 1)].MayHold(signature) &&
                       (exact || TextsHold(needle, RecordAt(match.At)));
    if (holds != negated) found[kept++] = match;
  }
  found.resize(kept);
}

// Whether `word` begins a word of the record's description.
bool GameFinder::BeginsAWord(std::string_view word, const Record& record) {
  const char* description = TextsOf(record) + record.NameLength + 1;
  const auto* starts = reinterpret_cast<const unsigned char*>(description + record.DescriptionLength + 1);
  for (int i = 0; i < record.WordCount; ++i) {
    const std::size_t at = starts[i];
    if (BeginsWith(std::string_view(description + at, record.DescriptionLength - at), word)) return true;
  }
  return false;
}

namespace {

// Whether a text whose first bytes are `head` (0 after its end) begins with
// `query`: yes or no when its first bytes tell (the query is not longer, or
// they differ), else unknown.
enum class Answer { No, Yes, Unknown };
Answer HeadBegins(const char (&head)[4], std::string_view query) {
  const std::size_t known = std::min(query.size(), sizeof head);
  for (std::size_t i = 0; i < known; ++i) {
    if (head[i] != query[i]) return Answer::No;
  }
  return query.size() <= sizeof head ? Answer::Yes : Answer::Unknown;
}

}  // namespace

int GameFinder::RankOf(const SearchWords& words, const Match& match) const {
  const RankFacts& facts = rankFacts_[static_cast<std::size_t>(match.Game - 1)];
  const Record* record = nullptr;
  auto texts = [&] {
    if (record == nullptr) record = &RecordAt(match.At);
    return TextsOf(*record);
  };
  Answer name = HeadBegins(facts.Name, query_);
  if (name == Answer::Unknown) {
    name = BeginsWith(std::string_view(texts(), facts.NameLength), query_) ? Answer::Yes : Answer::No;
  }
  if (name == Answer::Yes) return facts.NameLength == query_.size() ? 0 : 1;
  Answer description = HeadBegins(facts.Description, query_);
  if (description == Answer::Unknown) {
    const char* start = texts() + facts.NameLength + 1;
    description = BeginsWith(std::string_view(start, record->DescriptionLength), query_) ? Answer::Yes : Answer::No;
  }
  if (description == Answer::Yes) return 2;
  // The first letters tell whether the words begin words when each is one
  // letter; otherwise they only rule out.
  if ((facts.Initials & queryInitials_) != queryInitials_) return 4;
  if (queryLetters_) return 3;
  texts();
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated && !BeginsAWord(words.TextOf(word), *record)) return 4;
  }
  return 3;
}

// The games found, in table order in matches_, into `games` in their order.
void GameFinder::Order(const SearchWords& words, std::vector<int32_t>& games) {
  query_.clear();
  queryInitials_ = 0;
  queryLetters_ = true;
  bool byPlay = false;
  for (const SearchWord& word : words.Words) {
    if (IsPlain(word) && !word.Negated) {
      const std::string_view text = words.TextOf(word);
      query_ += text;
      queryInitials_ |= uint64_t{1} << TextSignature::LetterBit(static_cast<unsigned char>(text[0]));
      queryLetters_ = queryLetters_ && TextSignature::Exact(text);
    }
    byPlay = byPlay || (word.Kind == WordKind::Played && !word.Negated);
  }
  games.clear();
  if (query_.empty() && !byPlay) {
    for (const Match& match : matches_) games.push_back(match.Game);
    return;
  }
  // The key of a game: its rank, then parent (0) or clone (1).
  constexpr int Keys = 10;
  auto keyOf = [&](const Match& match) {
    const int rank = query_.empty() ? 0 : RankOf(words, match);
    return static_cast<uint8_t>(rank * 2 + rankFacts_[static_cast<std::size_t>(match.Game - 1)].Clone);
  };
  if (byPlay) {
    ranked_.clear();
    for (const Match& match : matches_) {
      ranked_.push_back({lastPlayed_[static_cast<std::size_t>(match.Game - 1)], keyOf(match), match.Game});
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
  keys_.clear();
  for (const Match& match : matches_) {
    keys_.push_back(keyOf(match));
    ++first[keys_.back() + 1u];
  }
  for (int key = 0; key < Keys; ++key) first[key + 1] += first[key];
  games.resize(matches_.size());
  for (std::size_t i = 0; i < matches_.size(); ++i) games[first[keys_[i]]++] = matches_[i].Game;
}

}  // namespace zeb
