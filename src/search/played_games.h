#pragma once
// The games played: for each game whose launch ran the emulator, the last
// time it was played (seconds since the epoch, as the caller's clock gives
// it) and how many times. Kept in zeb-played.txt beside zeb.ini, one game a
// line, "driver-name time count" (CR LF), the most recent first; written at
// each launch, safely (side_file.h). The search's is:played and its order
// read it.
//
// Reading keeps each line of a driver name (IsSideFileName), a time and a
// count, separated by blanks: the numbers decimal digits only, at most 18
// of them, the count at least 1. Other lines are dropped (and empty ones
// passed over). A name read twice is taken together: the later of its times
// and the sum of its counts. Names the game table does not hold are kept
// and written back.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "search/side_file.h"

namespace zeb {

constexpr const char* PlayedGamesFileName = "zeb-played.txt";

struct PlayedGame {
  int64_t LastPlayed = 0;  // seconds since the epoch
  int64_t Count = 0;       // launches, at least 1

  friend bool operator==(const PlayedGame&, const PlayedGame&) = default;
};

class PlayedGames {
 public:
  using Games = std::map<std::string, PlayedGame, std::less<>>;
  // The largest time and count kept (18 digits); larger ones are kept as it.
  static constexpr int64_t MostKept = 999999999999999999;

  // Reads the file at `path`, which later writes replace (the games read
  // before are forgotten first). A missing file holds none.
  SideFileRead Load(std::string_view path);
  // One more launch of the game, at `now`, then the file written. A failed
  // write returns false with `reason`; the launch stays recorded for this
  // run and the next write that succeeds saves it. A name that is no driver
  // name (IsSideFileName), or a new one past MaxSideEntries, records
  // nothing: false with `reason`.
  bool Record(std::string_view driverName, int64_t now, std::string& reason);
  // The game's record; null for a game never played.
  const PlayedGame* Find(std::string_view driverName) const;
  // Writes the file at the path of the last Load (PlayedGamesFileName
  // before any).
  bool Save(std::string& reason) const;
  const Games& All() const { return games_; }
  const std::string& Path() const { return path_; }

 private:
  Games games_;
  std::string path_ = PlayedGamesFileName;
};

}  // namespace zeb
