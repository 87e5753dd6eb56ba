// The search on any text, over a small table of games (some of them
// without machine information, favourites and games played among them).
//
// The input's first line is the search text; the rest, if any, a word.
//   - the games found are games of the table, each once;
//   - typing the text character by character (each text narrowed from the
//     one before when it may be) finds what the text finds at once;
//   - with the word in quotes (a plain word) after the text, and with it
//     negated, the two sets of games are apart and together make what the
//     text alone finds: negating a plain word gives its complement.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "machines/machine_info.h"
#include "search/favourites.h"
#include "search/folded_text.h"
#include "search/game_finder.h"
#include "search/played_games.h"
#include "settings/game_table.h"

namespace zeb::fuzz {
namespace {

struct Searched {
  std::unique_ptr<GameTable> table = std::make_unique<GameTable>();
  GameMachines machines;
  Favourites favourites;
  PlayedGames played;

  Searched() {
    struct Game {
      const char* Name;
      const char* Description;
      const char* CloneOf;
      const char* Category;
      const char* Year;  // null: no summary
      const char* Maker;
    };
    static const Game Games[] = {
        {"25pacman", "Pac-Man - 25th Anniversary", "", "Maze / Collect", "2005", "Namco"},
        {"attache", "Attach\x82 Case", "", "Puzzle", "1989", "Data East"},
        {"galaga", "Galaga (Namco rev. B)", "", "Shooter / Flying", "1981", "Namco"},
        {"galagamw", "Galaga (Midway set 1)", "galaga", "Shooter / Flying", "1981", "Namco (Midway license)"},
        {"neogeo", "Neo-Geo MV-6F", "", "System / BIOS", "1990", "SNK"},
        {"pacman", "Pac-Man (Midway)", "puckman", "Maze / Collect", "1980", "Midway"},
        {"pong", "Pong (Rev E)", "", "Sports", "197?", "Atari"},
        {"puckman", "Puck Man (Japan set 1)", "", "Maze / Collect", nullptr, ""},
        {"xevious", "Xevious\t(Namco) \x01\xFF", "", "", nullptr, ""},
        {"zaxxon", "ZAXXON \"set 1\"", "", "Shooter / Flying", "1982", "Sega"},
        {"", "", "", "", "", ""},
    };
    constexpr int Count = sizeof Games / sizeof Games[0];
    machines.ByGame.resize(Count + 1);
    machines.Named.assign(Count + 1, false);
    for (int i = 0; i < Count; ++i) {
      GameRecord& record = table->Games[++table->GameCount];
      record.DriverName = Games[i].Name;
      record.Description = Games[i].Description;
      record.CloneOf = Games[i].CloneOf;
      record.Category = Games[i].Category;
      record.Available = i % 3 == 0 ? "0" : "1";
      if (Games[i].Year == nullptr) continue;
      machines.Named[static_cast<std::size_t>(i + 1)] = true;
      MachineSummary& summary = machines.ByGame[static_cast<std::size_t>(i + 1)];
      summary.Year = Games[i].Year;
      summary.Manufacturer = Games[i].Maker;
      summary.Players = i % 4;
      summary.Status = static_cast<DriverStatus>(i % 4);
      summary.IsBios = i == 4;
      summary.IsMechanical = i == 6;
    }
    InPrivateDir here;
    favourites.Load("search-favourites.txt");
    played.Load("search-played.txt");
    std::string reason;
    for (const char* name : {"galaga", "pong", "other"}) {
      if (!favourites.Toggle(name, reason)) std::abort();
    }
    if (!played.Record("pacman", 5, reason) || !played.Record("zaxxon", 9, reason) ||
        !played.Record("galagamw", 5, reason)) {
      std::abort();
    }
  }
};

Searched& Data() {
  static Searched data;
  return data;
}

GameFinder& Fresh() {
  static GameFinder finder;
  static bool built = false;
  if (!built) {
    finder.Build(*Data().table, Data().machines, Data().favourites, Data().played);
    built = true;
  }
  return finder;
}

// What `text` finds among all the games.
std::vector<int32_t> FindAnew(std::string_view text) {
  std::vector<int32_t> games;
  Fresh().Find("year:", games);  // a text that no other narrows
  Fresh().Find(text, games);
  return games;
}

std::vector<int32_t> Sorted(std::vector<int32_t> games) {
  std::sort(games.begin(), games.end());
  return games;
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using namespace zeb::fuzz;
  const std::string_view input = Bytes(data, size);
  const std::size_t end = input.find('\n');
  const std::string_view text = input.substr(0, end);
  const int32_t count = Data().table->GameCount;

  const std::vector<int32_t> found = FindAnew(text);
  const std::vector<int32_t> sorted = Sorted(found);
  ZEB_FUZZ_CHECK(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
  ZEB_FUZZ_CHECK(sorted.empty() || (sorted.front() >= 1 && sorted.back() <= count));

  GameFinder typing;
  typing.Build(*Data().table, Data().machines, Data().favourites, Data().played);
  std::vector<int32_t> typed;
  const std::size_t step = text.size() > 200 ? text.size() / 50 : 1;  // long texts: some steps only
  for (std::size_t length = 1; length <= text.size(); length += step) {
    typing.Find(text.substr(0, length), typed);
    ZEB_FUZZ_CHECK(typed == FindAnew(text.substr(0, length)));
  }
  typing.Find(text, typed);
  ZEB_FUZZ_CHECK(typed == found);

  if (end == std::string_view::npos || std::count(text.begin(), text.end(), '"') % 2 != 0) return 0;
  std::string word(input.substr(end + 1));
  std::erase(word, '"');
  std::string folded;
  AppendFolded(folded, word);
  if (folded.empty()) return 0;
  const std::string base(text);
  const std::vector<int32_t> with = Sorted(FindAnew(base + " \"" + word + "\""));
  const std::vector<int32_t> without = Sorted(FindAnew(base + " -\"" + word + "\""));
  std::vector<int32_t> both;
  std::set_union(with.begin(), with.end(), without.begin(), without.end(), std::back_inserter(both));
  ZEB_FUZZ_CHECK(both.size() == with.size() + without.size());
  ZEB_FUZZ_CHECK(both == sorted);
  return 0;
}
