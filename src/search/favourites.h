#pragma once
// The favourite games: a set of driver names, kept in zeb-favourites.txt
// beside zeb.ini, one name a line (CR LF), in name order. The interface
// toggles a game (F2), and each change writes the file at once, safely
// (side_file.h), so that the favourites outlast a quit without saving.
//
// Reading keeps every line that is a driver name (IsSideFileName, after
// the blanks at its ends are taken off) and passes over empty ones; lines
// of more than 511 bytes and lines with a blank or a control byte inside
// are no driver name and are dropped. Names the game table does not hold are kept and written
// back, so that a later table still has them.

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "search/side_file.h"

namespace zeb {

constexpr const char* FavouritesFileName = "zeb-favourites.txt";

class Favourites {
 public:
  using Names = std::set<std::string, std::less<>>;

  // Reads the file at `path`, which later writes replace (the favourites
  // read before are forgotten first). A missing file holds none.
  SideFileRead Load(std::string_view path);
  bool Contains(std::string_view driverName) const { return names_.find(driverName) != names_.end(); }
  // Makes the game a favourite or takes it out, then writes the file. A
  // failed write returns false with `reason`; the change holds for this run
  // and the next write that succeeds saves it. A name that is no driver
  // name (IsSideFileName), or a new one past MaxSideEntries, changes
  // nothing: false with `reason`.
  bool Toggle(std::string_view driverName, std::string& reason);
  // Writes the file at the path of the last Load (FavouritesFileName before
  // any).
  bool Save(std::string& reason) const;
  const Names& All() const { return names_; }
  const std::string& Path() const { return path_; }

 private:
  Names names_;
  std::string path_ = FavouritesFileName;
};

}  // namespace zeb
