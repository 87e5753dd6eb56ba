#include "search/search_words.h"

#include <algorithm>

#include "search/folded_text.h"

namespace zeb {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `text` equals `lower` (lower-case ASCII) with the case of ASCII letters
// ignored.
bool SameIgnoringCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

// Four digits: the year; otherwise -1.
int32_t FourDigitYear(std::string_view text) {
  if (text.size() != 4) return -1;
  int32_t year = 0;
  for (char c : text) {
    if (!IsDigit(c)) return -1;
    year = year * 10 + (c - '0');
  }
  return year;
}

// "1981" or "1980-1984" (either way round) into From and To; Never for
// anything else.
void ReadYears(std::string_view value, SearchWord& word) {
  const std::size_t dash = value.find('-');
  const int32_t from = FourDigitYear(value.substr(0, dash));
  const int32_t to = dash == std::string_view::npos ? from : FourDigitYear(value.substr(dash + 1));
  if (from < 0 || to < 0) {
    word.Kind = WordKind::Never;
    return;
  }
  word.Kind = WordKind::Year;
  word.From = std::min(from, to);
  word.To = std::max(from, to);
}

// Digits: at least that many players (a number past any machine's is kept
// as 1000000); Never for anything else.
void ReadPlayers(std::string_view value, SearchWord& word) {
  constexpr int32_t Most = 1000000;
  if (value.empty()) {
    word.Kind = WordKind::Never;
    return;
  }
  int32_t players = 0;
  for (char c : value) {
    if (!IsDigit(c)) {
      word.Kind = WordKind::Never;
      return;
    }
    players = std::min(Most, players * 10 + (c - '0'));
  }
  word.Kind = WordKind::Players;
  word.From = players;
}

struct FlagName {
  std::string_view Name;
  WordKind Kind;
};

constexpr FlagName FlagNames[] = {
    {"available", WordKind::Available}, {"working", WordKind::Working},       {"parent", WordKind::Parent},
    {"clone", WordKind::Clone},         {"bios", WordKind::Bios},             {"mechanical", WordKind::Mechanical},
    {"favourite", WordKind::Favourite}, {"favorite", WordKind::Favourite},    {"played", WordKind::Played},
};

// What the word as typed (its quotes taken out) asks: its kind, and where
// in it the text to fold begins for a plain, maker or category word.
std::size_t Classify(std::string_view raw, bool quotedFromStart, SearchWord& word) {
  word.Kind = WordKind::Plain;
  const std::size_t colon = raw.find(':');
  if (quotedFromStart || colon == std::string_view::npos) return 0;
  const std::string_view prefix = raw.substr(0, colon);
  const std::string_view value = raw.substr(colon + 1);
  if (SameIgnoringCase(prefix, "year")) {
    ReadYears(value, word);
  } else if (SameIgnoringCase(prefix, "players")) {
    ReadPlayers(value, word);
  } else if (SameIgnoringCase(prefix, "maker")) {
    word.Kind = WordKind::Maker;
    return colon + 1;
  } else if (SameIgnoringCase(prefix, "cat")) {
    word.Kind = WordKind::Category;
    return colon + 1;
  } else if (SameIgnoringCase(prefix, "is")) {
    for (const FlagName& flag : FlagNames) {
      if (SameIgnoringCase(value, flag.Name)) word.Kind = flag.Kind;
    }
  }
  return 0;
}

}  // namespace

bool SearchWords::NeedsMachineInfo(WordKind kind) {
  switch (kind) {
    case WordKind::Year:
    case WordKind::Maker:
    case WordKind::Players:
    case WordKind::Working:
    case WordKind::Bios:
    case WordKind::Mechanical:
      return true;
    default:
      return false;
  }
}

bool SameWord(const SearchWords& a, std::size_t i, const SearchWords& b, std::size_t j) {
  const SearchWord& x = a.Words[i];
  const SearchWord& y = b.Words[j];
  return x.Kind == y.Kind && x.Negated == y.Negated && x.From == y.From && x.To == y.To && a.TextOf(x) == b.TextOf(y);
}

bool SameWords(const SearchWords& a, const SearchWords& b) {
  if (a.Words.size() != b.Words.size()) return false;
  for (std::size_t i = 0; i < a.Words.size(); ++i) {
    if (!SameWord(a, i, b, i)) return false;
  }
  return true;
}

void ParseSearchText(std::string_view text, SearchWords& words) {
  words.Words.clear();
  words.Texts.clear();
  std::string& texts = words.Texts;
  std::size_t at = 0;
  for (;;) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at == text.size()) break;
    SearchWord word;
    if (text[at] == '-') {
      word.Negated = true;
      ++at;
    }
    // The word as typed, its quotes taken out, goes to the end of Texts for
    // a moment; its folded text, never longer, then takes its place.
    const bool quotedFromStart = at < text.size() && text[at] == '"';
    const std::size_t start = texts.size();
    bool quoted = false;
    for (; at < text.size(); ++at) {
      const char c = text[at];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && IsBlank(c)) {
        break;
      } else {
        texts += c;
      }
    }
    const std::size_t fold = start + Classify(std::string_view(texts).substr(start), quotedFromStart, word);
    if (word.Kind != WordKind::Plain && word.Kind != WordKind::Maker && word.Kind != WordKind::Category) {
      texts.resize(start);
      words.Words.push_back(word);
      continue;
    }
    std::size_t length = 0;
    for (std::size_t i = fold; i < texts.size(); ++i) {
      if (unsigned char folded = FoldedByte(texts[i])) texts[start + length++] = static_cast<char>(folded);
    }
    texts.resize(start + length);
    if (length == 0) continue;  // nothing to look for
    word.TextStart = static_cast<uint32_t>(start);
    word.TextLength = static_cast<uint32_t>(length);
    words.Words.push_back(word);
  }
}

}  // namespace zeb
