#include "gamedb/game_search.h"

#include <algorithm>

namespace zeb {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void AppendLower(std::string& out, std::string_view text) {
  for (char c : text) out += Lower(c);
  out += '\0';
}

}  // namespace

void GameSearch::Build(const GameTable& table) {
  const int games = TableGames(table);
  texts_.clear();
  starts_.clear();
  starts_.reserve(static_cast<std::size_t>(games) + 1);
  for (int game = 1; game <= games; ++game) {
    const GameRecord& record = table.Games[game];
    starts_.push_back(static_cast<uint32_t>(texts_.size()));
    AppendLower(texts_, record.DriverName);
    AppendLower(texts_, record.Description);
  }
  starts_.push_back(static_cast<uint32_t>(texts_.size()));
}

void GameSearch::Find(std::string_view text, std::vector<int32_t>& games) const {
  games.clear();
  if (starts_.size() < 2) return;
  const auto count = static_cast<int32_t>(starts_.size() - 1);
  if (text.empty()) {
    for (int32_t game = 1; game <= count; ++game) games.push_back(game);
    return;
  }
  std::string wanted(text);
  std::transform(wanted.begin(), wanted.end(), wanted.begin(), Lower);
  // One pass over all the texts: at each match, the game that holds it is
  // taken and the search goes on at the next game's texts.
  const std::string_view all(texts_);
  std::size_t at = 0;
  while ((at = all.find(wanted, at)) != std::string_view::npos) {
    auto next = std::upper_bound(starts_.begin(), starts_.end(), static_cast<uint32_t>(at));
    games.push_back(static_cast<int32_t>(next - starts_.begin()));
    at = *next;
  }
}

void GameSearch::Clear() {
  std::string().swap(texts_);
  std::vector<uint32_t>().swap(starts_);
}

}  // namespace zeb
