// The favourites and the games played read from any file.
//
// The input is written as each side file and read:
//   - what is kept are driver names as a side file can hold them, and
//     numbers in range;
//   - written back (safely, in place) and read again, the file gives the
//     same favourites and the same games played, with nothing dropped or
//     repeated; and written once more, the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "search/favourites.h"
#include "search/played_games.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using namespace zeb::fuzz;
  AbortOnFatal();
  InPrivateDir here;
  std::string reason;

  WriteFile(FavouritesFileName, Bytes(data, size));
  Favourites favourites;
  const SideFileRead read = favourites.Load(FavouritesFileName);
  ZEB_FUZZ_CHECK(!read.Missing && !read.Failed);
  ZEB_FUZZ_CHECK(static_cast<std::size_t>(read.Kept) == favourites.All().size());
  for (const std::string& name : favourites.All()) ZEB_FUZZ_CHECK(IsSideFileName(name));
  ZEB_FUZZ_CHECK(favourites.Save(reason));
  const std::string written = ReadFile(FavouritesFileName);
  Favourites again;
  const SideFileRead reread = again.Load(FavouritesFileName);
  ZEB_FUZZ_CHECK(again.All() == favourites.All());
  ZEB_FUZZ_CHECK(reread.Dropped == 0 && reread.Repeated == 0);
  ZEB_FUZZ_CHECK(again.Save(reason) && ReadFile(FavouritesFileName) == written);

  WriteFile(PlayedGamesFileName, Bytes(data, size));
  PlayedGames played;
  const SideFileRead readPlayed = played.Load(PlayedGamesFileName);
  ZEB_FUZZ_CHECK(!readPlayed.Missing && !readPlayed.Failed);
  ZEB_FUZZ_CHECK(static_cast<std::size_t>(readPlayed.Kept) == played.All().size());
  for (const auto& [name, game] : played.All()) {
    ZEB_FUZZ_CHECK(IsSideFileName(name));
    ZEB_FUZZ_CHECK(game.LastPlayed >= 0 && game.LastPlayed <= PlayedGames::MostKept);
    ZEB_FUZZ_CHECK(game.Count >= 1 && game.Count <= PlayedGames::MostKept);
  }
  ZEB_FUZZ_CHECK(played.Save(reason));
  const std::string writtenPlayed = ReadFile(PlayedGamesFileName);
  PlayedGames playedAgain;
  const SideFileRead rereadPlayed = playedAgain.Load(PlayedGamesFileName);
  ZEB_FUZZ_CHECK(playedAgain.All() == played.All());
  ZEB_FUZZ_CHECK(rereadPlayed.Dropped == 0 && rereadPlayed.Repeated == 0);
  ZEB_FUZZ_CHECK(playedAgain.Save(reason) && ReadFile(PlayedGamesFileName) == writtenPlayed);
  return 0;
}
