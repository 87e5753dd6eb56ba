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

void GameSearch::All(std::vector<int32_t>& games) const {
  games.clear();
  const auto count = static_cast<int32_t>(starts_.empty() ? 0 : starts_.size() - 1);
  for (int32_t game = 1; game <= count; ++game) games.push_back(game);
}

void GameSearch::Narrow(std::string_view text, const std::vector<int32_t>& candidates,
                        std::vector<int32_t>& games) const {
  games.clear();
  char wanted[256];
  const std::size_t length = std::min(text.size(), sizeof wanted);
  std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), wanted, Lower);
  const std::string_view needle(wanted, length);
  const auto count = starts_.empty() ? std::size_t{0} : starts_.size() - 1;
  if (candidates.size() == count) {
    // Among all the games: one pass over all the texts. At each match the
    // game that holds it is taken, and the search goes on at the next
    // game's texts. (An empty text is found at the very end too, where no
    // game starts.)
    const std::string_view all(texts_);
    std::size_t at = 0;
    auto next = starts_.begin();
    while ((at = all.find(needle, at)) < all.size()) {
      next = std::upper_bound(next, starts_.end(), static_cast<uint32_t>(at));
      games.push_back(static_cast<int32_t>(next - starts_.begin()));
      at = *next;
    }
    return;
  }
  for (int32_t game : candidates) {
    if (game < 1 || static_cast<std::size_t>(game) > count) continue;
    const std::size_t start = starts_[static_cast<std::size_t>(game) - 1];
    const std::size_t end = starts_[static_cast<std::size_t>(game)];
    if (std::string_view(texts_).substr(start, end - start).find(needle) != std::string_view::npos) {
      games.push_back(game);
    }
  }
}

void GameSearch::Clear() {
  std::string().swap(texts_);
  std::vector<uint32_t>().swap(starts_);
}

}  // namespace zeb
