// The emulator's version and its two game lists.

#include <filesystem>
#include <string>
#include <vector>

#include "gamedb/gamedb.h"
#include "gamedb/gamedb_fixture.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using testing_support::CrLf;
using testing_support::GameDb;
using testing_support::WriteBytes;

using MameVersionTest = GameDb;
using GameNames = GameDb;
using Clones = GameDb;

TEST_F(MameVersionTest, TheTextBeforeTheFirstDashWithoutTheParenthesisedPart) {
  struct Case {
    const char* first;
    const char* version;
  } cases[] = {
      {"Abc 2.05 (Jan  1 2001) - Abc text", "Abc 2.05"},
      {"Abc 2.05 - Abc text", "Abc 2.05"},
      {"Abc 2.05 (Jan  1 2001)", ""},
      {"Abc 2.05-x (Jan  1 2001) - Abc text", "Abc 2.0"},
      {"", ""},
      {"a-b", ""},
      {"ab-c", "a"},
      {"(x) - y", "(x)"},
      {"a(x) - y", ""},
  };
  for (const Case& c : cases) {
    MameVersion = "None Loaded";
    WriteBytes("ver.txt", CrLf({c.first, "second - line (x)"}));
    ReadMameVersion();
    EXPECT_EQ(MameVersion.Str(), c.version) << c.first;
  }
  WriteBytes("ver.txt", "");
  MameVersion = "None Loaded";
  ReadMameVersion();
  EXPECT_TRUE(MameVersion.Empty());
}

TEST_F(GameNames, NameBeforeTheFirstBlankAndTheTextBetweenTheQuotes) {
  std::string longLine = "long      \"" + std::string(289, 'x');
  WriteBytes("listfull.txt", CrLf({"name      description", "abc       \"Abc\"", "abcd      \"Say \"Hi\" (set 1)\"",
                                   "nohblank", "short  \"x", longLine, "tenletters\"Desc\""}));
  ImportGameNames();
  ASSERT_EQ(GameCount, 6);
  EXPECT_EQ(Games[1].DriverName.Str(), "abc");
  EXPECT_EQ(Games[1].Description.Str(), "Abc");
  EXPECT_EQ(Games[2].Description.Str(), "Say \"Hi\" (set 1)");
  EXPECT_TRUE(Games[3].DriverName.Empty());
  EXPECT_TRUE(Games[3].Description.Empty());
  EXPECT_EQ(Games[4].DriverName.Str(), "short");
  EXPECT_TRUE(Games[4].Description.Empty());
  // Of 300 bytes only 255 are read; the last one read goes as the closing quote.
  EXPECT_EQ(Games[5].Description.Str(), std::string(243, 'x'));
  EXPECT_EQ(Games[6].DriverName.Str(), "");
  EXPECT_EQ(Games[6].Description.Str(), "Desc");
  for (int game = 1; game <= 6; ++game) {
    EXPECT_EQ(Games[game].Available.Str(), "0") << "the scan ends the import";
    EXPECT_TRUE(Games[game].CloneOf.Empty());
  }
  EXPECT_EQ(Progress(), (std::vector<std::string>{"Getting Names"}));
}

TEST_F(GameNames, AHeaderOnlyListGivesNoGamesAndTheScanMarksTheArchives) {
  WriteBytes("listfull.txt", CrLf({"name      description"}));
  ImportGameNames();
  EXPECT_EQ(GameCount, 0);

  SetDefaultSettings();
  std::filesystem::create_directory("roms");
  WriteBytes("roms/bbb.zip", "");
  WriteBytes("listfull.txt", "header\nbbb       \"B\"\naaa       \"A\"");
  ImportGameNames();
  ASSERT_EQ(GameCount, 2);
  EXPECT_EQ(Games[1].Available.Str(), "1");
  EXPECT_EQ(Games[2].Available.Str(), "0");
}

TEST_F(GameNames, LinesPastTheTableAreLeftOutAndCounted) {
  std::vector<std::string> lines{"header"};
  for (int i = 1; i <= MaxGames + 3; ++i) {
    std::string line = "g";
    line += std::to_string(i);
    line += "      \"Game\"";
    lines.push_back(line);
  }
  WriteBytes("listfull.txt", CrLf(lines));
  ImportGameNames();
  EXPECT_EQ(GameCount, MaxGames);
  EXPECT_EQ(Games[MaxGames].DriverName.Str(), "g4000");
  EXPECT_EQ(Progress(),
            (std::vector<std::string>{"Getting Names", "Left out 3 game lines: the table holds 4000 games"}));
}

TEST_F(Clones, EachCloneLineNamesItsParentForEveryGameOfThatName) {
  SetGames({"abc", "abcd", "ABC", "abce", "abcd", "", "xyz"});
  WriteBytes("listclones.txt", CrLf({"name     clone of", "abcd     abc   ", "abce     abc", "ABC      zzz",
                                     "nonblankline", "xyz      notintable extra", "abc      ab"}));
  ImportClones();
  EXPECT_EQ(Games[1].CloneOf.Str(), "ab");
  EXPECT_EQ(Games[2].CloneOf.Str(), "abc");
  EXPECT_EQ(Games[3].CloneOf.Str(), "zzz");
  EXPECT_EQ(Games[4].CloneOf.Str(), "abc");
  EXPECT_EQ(Games[5].CloneOf.Str(), "abc");
  EXPECT_EQ(Games[6].CloneOf.Str(), "ine");  // an empty clone name matches the empty driver name
  EXPECT_EQ(Games[7].CloneOf.Str(), "notintable");
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Getting Clones"}));
}

}  // namespace
}  // namespace zeb
