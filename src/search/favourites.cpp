#include "search/favourites.h"

namespace zeb {

SideFileRead Favourites::Load(std::string_view path) {
  path_ = path;
  names_.clear();
  SideFileRead read;
  SideFileReader reader(path);
  std::string line;
  bool tooLong = false;
  while (reader.Next(line, tooLong)) {
    const std::string_view name = TrimBlanks(line);
    if (name.empty() && !tooLong) continue;
    if (tooLong || !IsSideFileName(name) || read.Kept == MaxSideEntries) {
      ++read.Dropped;
    } else if (names_.emplace(name).second) {
      ++read.Kept;
    } else {
      ++read.Repeated;
    }
  }
  read.Missing = reader.Missing();
  read.Failed = reader.Failed();
  return read;
}

bool Favourites::Toggle(std::string_view driverName, std::string& reason) {
  if (!IsSideFileName(driverName)) {
    reason = "not a driver name a favourite can be kept by";
    return false;
  }
  if (auto found = names_.find(driverName); found != names_.end()) {
    names_.erase(found);
  } else if (names_.size() >= static_cast<std::size_t>(MaxSideEntries)) {
    reason = "too many favourites";
    return false;
  } else {
    names_.emplace(driverName);
  }
  return Save(reason);
}

bool Favourites::Save(std::string& reason) const {
  std::string content;
  for (const std::string& name : names_) {
    content += name;
    content += "\r\n";
  }
  return ReplaceSideFile(path_, content, reason);
}

}  // namespace zeb
