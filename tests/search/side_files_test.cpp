// The favourites and the games played in their side files: written at each
// change and read back the same; damaged files read as far as they hold
// entries; a write that fails says why and leaves the old file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "search/favourites.h"
#include "search/played_games.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<std::string> NamesOf(const Favourites& favourites) {
  return std::vector<std::string>(favourites.All().begin(), favourites.All().end());
}

// The names of the directory's entries.
std::vector<std::string> Entries(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Favourites, EachToggleWritesTheFileAndItReadsBackTheSame) {
  TempDir dir;
  Favourites favourites;
  const SideFileRead none = favourites.Load(FavouritesFileName);
  EXPECT_TRUE(none.Missing);
  EXPECT_FALSE(none.Failed);
  EXPECT_FALSE(std::filesystem::exists(FavouritesFileName));  // reading makes no file
  std::string reason;
  for (const char* name : {"zaxxon", "galaga", "pacman", "oldgame"}) ASSERT_TRUE(favourites.Toggle(name, reason)) << reason;
  ASSERT_TRUE(favourites.Toggle("pacman", reason));  // out again
  EXPECT_EQ(ReadBytes(FavouritesFileName), "galaga\r\noldgame\r\nzaxxon\r\n");
  EXPECT_TRUE(favourites.Contains("galaga"));
  EXPECT_FALSE(favourites.Contains("pacman"));

  Favourites again;
  const SideFileRead read = again.Load(FavouritesFileName);
  EXPECT_EQ(NamesOf(again), (std::vector<std::string>{"galaga", "oldgame", "zaxxon"}));
  EXPECT_EQ(read.Kept, 3);
  EXPECT_EQ(read.Dropped + read.Repeated, 0);
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{FavouritesFileName});  // no file left beside it
}

TEST(Favourites, ADamagedFileKeepsTheLinesThatAreDriverNames) {
  TempDir dir;
  const std::string longLine(600, 'a');
  WriteBytes(FavouritesFileName, "galaga\n  pacman \t\r\n\r\n\rdkong\r\r\n" + longLine + "\nbad name\nbad\x01" +
                                     "\n" + std::string(255, 'n') + "\n" + std::string(256, 'm') + "\ngalaga\n\xFF\xFE\x82" +
                                     "\n\x1A" + "after\nlast");
  Favourites favourites;
  const SideFileRead read = favourites.Load(FavouritesFileName);
  // 0x1A ends no side file: it is a control byte in a line.
  EXPECT_EQ(NamesOf(favourites),
            (std::vector<std::string>{"dkong", "galaga", "last", std::string(255, 'n'), "pacman", "\xFF\xFE\x82"}));
  EXPECT_EQ(read.Kept, 6);
  EXPECT_EQ(read.Dropped, 5);  // too long, a blank inside, control bytes twice, 256 bytes
  EXPECT_EQ(read.Repeated, 1);
  EXPECT_FALSE(read.Missing || read.Failed);
}

TEST(Favourites, AHugeLineIsDroppedAndWhatFollowsIsRead) {
  TempDir dir;
  WriteBytes(FavouritesFileName, std::string(3 << 20, 'x') + "\r\nzaxxon");
  Favourites favourites;
  const SideFileRead read = favourites.Load(FavouritesFileName);
  EXPECT_EQ(NamesOf(favourites), std::vector<std::string>{"zaxxon"});
  EXPECT_EQ(read.Dropped, 1);
}

TEST(Favourites, AFailedWriteSaysWhyKeepsTheChangeAndLeavesNothingBehind) {
  TempDir dir;
  Favourites favourites;
  favourites.Load(dir.File("missing/zeb-favourites.txt"));
  std::string reason;
  EXPECT_FALSE(favourites.Toggle("galaga", reason));
  EXPECT_NE(reason.find("zeb-favourites.txt"), std::string::npos) << reason;
  EXPECT_TRUE(favourites.Contains("galaga"));  // for this run

  // A directory where the file should be: it cannot be read nor replaced.
  std::filesystem::create_directory(FavouritesFileName);
  EXPECT_TRUE(favourites.Load(FavouritesFileName).Failed);
  reason.clear();
  EXPECT_FALSE(favourites.Toggle("galaga", reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{FavouritesFileName});
  EXPECT_TRUE(std::filesystem::is_directory(FavouritesFileName));

  // No driver name: nothing changes, nothing is written.
  for (const char* name : {"", "two words", "tab\there"}) {
    reason.clear();
    EXPECT_FALSE(favourites.Toggle(name, reason)) << name;
    EXPECT_FALSE(reason.empty());
  }
  EXPECT_EQ(NamesOf(favourites), std::vector<std::string>{"galaga"});
}

TEST(PlayedGames, EachLaunchIsWrittenTheMostRecentFirstAndReadsBackTheSame) {
  TempDir dir;
  PlayedGames played;
  EXPECT_TRUE(played.Load(PlayedGamesFileName).Missing);
  std::string reason;
  ASSERT_TRUE(played.Record("pong", 100, reason)) << reason;
  ASSERT_TRUE(played.Record("galaga", 300, reason));
  ASSERT_TRUE(played.Record("pacman", 300, reason));
  ASSERT_TRUE(played.Record("pong", 400, reason));
  ASSERT_TRUE(played.Record("oldgame", -5, reason));  // a clock before the epoch: 0
  EXPECT_EQ(ReadBytes(PlayedGamesFileName), "pong 400 2\r\ngalaga 300 1\r\npacman 300 1\r\noldgame 0 1\r\n");
  ASSERT_NE(played.Find("pong"), nullptr);
  EXPECT_EQ(*played.Find("pong"), (PlayedGame{400, 2}));
  EXPECT_EQ(played.Find("dkong"), nullptr);

  PlayedGames again;
  const SideFileRead read = again.Load(PlayedGamesFileName);
  EXPECT_EQ(again.All(), played.All());
  EXPECT_EQ(read.Kept, 4);
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{PlayedGamesFileName});
}

TEST(PlayedGames, ADamagedFileKeepsTheWholeEntriesAndJoinsRepeatedNames) {
  TempDir dir;
  WriteBytes(PlayedGamesFileName,
             "pacman 100 2\n"
             "  galaga\t50   1  \n"
             "pacman 90 3\r\n"            // with the first: the later time, the sum
             "dkong 12 3 more\n"          // a fourth field
             "dkong -1 2\n"               // no number
             "dkong 12 0\n"               // no launch
             "dkong 1234567890123456789 1\n"  // 19 digits
             "dkong 12\n"
             "dkong\n"
             "\x01\x02 1 1\n"
             "\n   \n"
             "big 999999999999999999 999999999999999999\n"
             "big 1 5\n");
  PlayedGames played;
  const SideFileRead read = played.Load(PlayedGamesFileName);
  const PlayedGames::Games expected = {{"big", {PlayedGames::MostKept, PlayedGames::MostKept}},
                                       {"galaga", {50, 1}},
                                       {"pacman", {100, 5}}};
  EXPECT_EQ(played.All(), expected);
  EXPECT_EQ(read.Kept, 3);
  EXPECT_EQ(read.Repeated, 2);
  EXPECT_EQ(read.Dropped, 7);
}

TEST(PlayedGames, AFailedWriteKeepsTheLaunchForThisRun) {
  TempDir dir;
  PlayedGames played;
  played.Load(dir.File("missing/zeb-played.txt"));
  std::string reason;
  EXPECT_FALSE(played.Record("galaga", 10, reason));
  EXPECT_NE(reason.find("zeb-played.txt"), std::string::npos) << reason;
  ASSERT_NE(played.Find("galaga"), nullptr);
  EXPECT_EQ(played.Find("galaga")->Count, 1);
  EXPECT_FALSE(played.Record("two words", 10, reason));
  EXPECT_EQ(played.All().size(), 1u);
}

}  // namespace
}  // namespace zeb
