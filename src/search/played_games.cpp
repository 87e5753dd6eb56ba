#include "search/played_games.h"

#include <algorithm>
#include <vector>

#include "storage/numbers.h"

namespace zeb {

namespace {

// 1 to 18 decimal digits: their value; otherwise -1.
int64_t Number(std::string_view text) {
  if (text.empty() || text.size() > 18) return -1;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The next field of `rest` (separated by blanks), taken off it.
std::string_view NextField(std::string_view& rest) {
  rest = TrimBlanks(rest);
  const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
  std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end);
  return field;
}

int64_t Kept(int64_t value) { return std::clamp<int64_t>(value, 0, PlayedGames::MostKept); }

}  // namespace

SideFileRead PlayedGames::Load(std::string_view path) {
  path_ = path;
  games_.clear();
  SideFileRead read;
  SideFileReader reader(path);
  std::string line;
  bool tooLong = false;
  while (reader.Next(line, tooLong)) {
    std::string_view rest = line;
    if (TrimBlanks(rest).empty() && !tooLong) continue;
    const std::string_view name = NextField(rest);
    const int64_t time = Number(NextField(rest));
    const int64_t count = Number(NextField(rest));
    if (tooLong || !IsSideFileName(name) || time < 0 || count < 1 || !TrimBlanks(rest).empty()) {
      ++read.Dropped;
      continue;
    }
    if (auto found = games_.find(name); found != games_.end()) {
      found->second.LastPlayed = std::max(found->second.LastPlayed, time);
      found->second.Count = std::min(MostKept, found->second.Count + count);
      ++read.Repeated;
    } else if (read.Kept == MaxSideEntries) {
      ++read.Dropped;
    } else {
      games_.emplace(name, PlayedGame{time, count});
      ++read.Kept;
    }
  }
  read.Missing = reader.Missing();
  read.Failed = reader.Failed();
  return read;
}

bool PlayedGames::Record(std::string_view driverName, int64_t now, std::string& reason) {
  if (!IsSideFileName(driverName)) {
    reason = "not a driver name a played game can be kept by";
    return false;
  }
  auto found = games_.find(driverName);
  if (found == games_.end()) {
    if (games_.size() >= static_cast<std::size_t>(MaxSideEntries)) {
      reason = "too many games played";
      return false;
    }
    found = games_.emplace(driverName, PlayedGame{}).first;
  }
  found->second.LastPlayed = Kept(now);
  found->second.Count = std::min(MostKept, found->second.Count + 1);
  return Save(reason);
}

const PlayedGame* PlayedGames::Find(std::string_view driverName) const {
  auto found = games_.find(driverName);
  return found == games_.end() ? nullptr : &found->second;
}

bool PlayedGames::Save(std::string& reason) const {
  // The most recent first; games of one time in name order.
  std::vector<const Games::value_type*> order;
  order.reserve(games_.size());
  for (const auto& game : games_) order.push_back(&game);
  std::stable_sort(order.begin(), order.end(),
                   [](const auto* a, const auto* b) { return a->second.LastPlayed > b->second.LastPlayed; });
  std::string content;
  for (const auto* game : order) {
    content += game->first;
    content += ' ';
    content += IntText(game->second.LastPlayed).View();
    content += ' ';
    content += IntText(game->second.Count).View();
    content += "\r\n";
  }
  return ReplaceSideFile(path_, content, reason);
}

}  // namespace zeb
