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
using testing_support::ReadBytes;
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
    games.MameVersion = "None Loaded";
    WriteBytes("ver.txt", CrLf({c.first, "second - line (x)"}));
    ReadMameVersion(games);
    EXPECT_EQ(games.MameVersion.Str(), c.version) << c.first;
  }
  WriteBytes("ver.txt", "");
  games.MameVersion = "None Loaded";
  ReadMameVersion(games);
  EXPECT_TRUE(games.MameVersion.Empty());
}

TEST_F(GameNames, NameBeforeTheFirstBlankAndTheTextBetweenTheQuotes) {
  std::string longLine = "long      \"" + std::string(289, 'x');
  WriteBytes("listfull.txt", CrLf({"name      description", "abc       \"Abc\"", "abcd      \"Say \"Hi\" (set 1)\"",
                                   "nohblank", "short  \"x", longLine, "tenletters\"Desc\""}));
  ImportGameNames(games, settings, console);
  ASSERT_EQ(games.GameCount, 6);
  EXPECT_EQ(games.Games[1].DriverName.Str(), "abc");
  EXPECT_EQ(games.Games[1].Description.Str(), "Abc");
  EXPECT_EQ(games.Games[2].Description.Str(), "Say \"Hi\" (set 1)");
  EXPECT_TRUE(games.Games[3].DriverName.Empty());
  EXPECT_TRUE(games.Games[3].Description.Empty());
  EXPECT_EQ(games.Games[4].DriverName.Str(), "short");
  EXPECT_TRUE(games.Games[4].Description.Empty());
  // Of 300 bytes only 255 are read; the last one read goes as the closing quote.
  EXPECT_EQ(games.Games[5].Description.Str(), std::string(243, 'x'));
  EXPECT_EQ(games.Games[6].DriverName.Str(), "");
  EXPECT_EQ(games.Games[6].Description.Str(), "Desc");
  for (int game = 1; game <= 6; ++game) {
    EXPECT_EQ(games.Games[game].Available.Str(), "0") << "the scan ends the import";
    EXPECT_TRUE(games.Games[game].CloneOf.Empty());
  }
  EXPECT_EQ(Progress(), (std::vector<std::string>{"Getting Names"}));
}

TEST_F(GameNames, AHeaderOnlyListGivesNoGamesAndTheScanMarksTheArchives) {
  WriteBytes("listfull.txt", CrLf({"name      description"}));
  ImportGameNames(games, settings, console);
  EXPECT_EQ(games.GameCount, 0);

  SetDefaultSettings(settings, options.Captions);
  std::filesystem::create_directory("roms");
  WriteBytes("roms/bbb.zip", "");
  WriteBytes("listfull.txt", "header\nbbb       \"B\"\naaa       \"A\"");
  ImportGameNames(games, settings, console);
  ASSERT_EQ(games.GameCount, 2);
  EXPECT_EQ(games.Games[1].Available.Str(), "1");
  EXPECT_EQ(games.Games[2].Available.Str(), "0");
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
  ImportGameNames(games, settings, console);
  EXPECT_EQ(games.GameCount, MaxGames);
  EXPECT_EQ(games.Games[MaxGames].DriverName.Str(), "g100000");
  EXPECT_EQ(Progress(),
            (std::vector<std::string>{"Getting Names", "Left out 3 game lines: the table holds 100000 games"}));
}

TEST_F(GameNames, AListOfTodaysSizeIsTakenWholeWithItsClones) {
  constexpr int Count = 45294;
  std::vector<std::string> full{"name      description"};
  std::vector<std::string> clones{"name     clone of"};
  for (int i = 1; i <= Count; ++i) {
    std::string name = "g" + std::to_string(i);
    full.push_back(name + std::string(10 - name.size(), ' ') + "\"Game number " + std::to_string(i) + "\"");
    if (i % 1000 == 0) clones.push_back(name + std::string(9 - name.size(), ' ') + "g" + std::to_string(i - 1));
  }
  WriteBytes("listfull.txt", CrLf(full));
  WriteBytes("listclones.txt", CrLf(clones));
  ImportGameNames(games, settings, console);
  EXPECT_EQ(Progress(), (std::vector<std::string>{"Getting Names"})) << "nothing is left out";
  ImportClones(games, console);
  ASSERT_EQ(games.GameCount, Count);
  EXPECT_EQ(games.Games[4001].DriverName.Str(), "g4001");
  EXPECT_EQ(games.Games[Count].DriverName.Str(), "g45294");
  EXPECT_EQ(games.Games[Count].Description.Str(), "Game number 45294");
  EXPECT_EQ(games.Games[45000].CloneOf.Str(), "g44999");
  EXPECT_TRUE(games.Games[45001].CloneOf.Empty());
  EXPECT_EQ(games.Games[Count].Available.Str(), "0");
}

// Today's emulator writes its names in UTF-8; the table and zeb.ini keep
// them in code page 437. A text already in a code page stays as it is.
TEST_F(GameNames, UtfEightDescriptionsAndCategoriesAreKeptInCodePage437) {
  WriteBytes("listfull.txt",
             CrLf({"Name:             Description:",
                   "nine              \"\xC2\xA3 \xC3\xA9 \xC2\xB5 \xC3\xA4 \xC3\xB3 "
                   "\xC3\xB6 \xCE\xB2 \xC3\xBC \xC2\xB2\"",
                   "latin             \"Attach\xE9\"", "cp437             \"Attach\x82 \x9C" "5\""}));
  WriteBytes("catver.ini", CrLf({"", "", "", "nine=Caf\xC3\xA9", "latin=Caf\xE9", "[VerAdded]"}));
  ImportGameNames(games, settings, console);
  ImportCategories(games, console);
  const std::string nine = "\x9C \x82 \xE6 \x84 \xA2 \x94 \xE1 \x81 \xFD";
  ASSERT_EQ(games.GameCount, 3);
  EXPECT_EQ(games.Games[1].Description.Str(), nine);
  EXPECT_EQ(games.Games[2].Description.Str(), "Attach\xE9");
  EXPECT_EQ(games.Games[3].Description.Str(), "Attach\x82 \x9C" "5");
  EXPECT_EQ(games.Games[1].Category.Str(), "Caf\x82");
  EXPECT_EQ(games.Games[2].Category.Str(), "Caf\xE9");

  SaveSettings(settings, games);
  const std::string saved = ReadBytes("zeb.ini");
  EXPECT_NE(saved.find("\r\nnine\r\n" + nine + "\r\n\r\nCaf\x82\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nlatin\r\nAttach\xE9\r\n\r\nCaf\xE9\r\n"), std::string::npos);
}

TEST_F(Clones, EachCloneLineNamesItsParentForEveryGameOfThatName) {
  SetGames({"abc", "abcd", "ABC", "abce", "abcd", "", "xyz"});
  WriteBytes("listclones.txt", CrLf({"name     clone of", "abcd     abc   ", "abce     abc", "ABC      zzz",
                                     "nonblankline", "xyz      notintable extra", "abc      ab"}));
  ImportClones(games, console);
  EXPECT_EQ(games.Games[1].CloneOf.Str(), "ab");
  EXPECT_EQ(games.Games[2].CloneOf.Str(), "abc");
  EXPECT_EQ(games.Games[3].CloneOf.Str(), "zzz");
  EXPECT_EQ(games.Games[4].CloneOf.Str(), "abc");
  EXPECT_EQ(games.Games[5].CloneOf.Str(), "abc");
  EXPECT_EQ(games.Games[6].CloneOf.Str(), "ine");  // an empty clone name matches the empty driver name
  EXPECT_EQ(games.Games[7].CloneOf.Str(), "notintable");
  EXPECT_EQ(Progress(), (std::vector<std::string>{"", "Getting Clones"}));
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

using testing_support::CrLf;
using testing_support::GameDb;
using testing_support::WriteBytes;

struct Names {
  std::vector<std::string> Driver, Description, Parent;
  bool operator==(const Names&) const = default;
  friend void PrintTo(const Names& names, std::ostream* out) {
    for (std::size_t i = 0; i < names.Driver.size(); ++i) {
      *out << "\n  [" << names.Driver[i] << "] [" << names.Description[i] << "] [" << names.Parent[i] << "]";
    }
  }
};

class ListLayouts : public GameDb {
 protected:
  Names TableNow() const {
    Names names;
    for (int game = 1; game <= games.GameCount; ++game) {
      names.Driver.push_back(games.Games[game].DriverName.Str());
      names.Description.push_back(games.Games[game].Description.Str());
      names.Parent.push_back(games.Games[game].CloneOf.Str());
    }
    return names;
  }

  Names ImportWith(const std::string& fullHeader, const std::vector<std::string>& full,
                   const std::string& cloneHeader, const std::vector<std::string>& clones) {
    std::vector<std::string> fullLines{fullHeader}, cloneLines{cloneHeader};
    fullLines.insert(fullLines.end(), full.begin(), full.end());
    cloneLines.insert(cloneLines.end(), clones.begin(), clones.end());
    WriteBytes("listfull.txt", CrLf(fullLines));
    WriteBytes("listclones.txt", CrLf(cloneLines));
    games.GameCount = 0;
    ImportGameNames(games, settings, console);
    ImportClones(games, console);
    return TableNow();
  }
};

TEST_F(ListLayouts, TodaysWideListsTakeTheirColumnsFromTheHeaders) {
  Names names = ImportWith("Name:             Description:",
                           {"005               \"005\"", "100lions          \"100 Lions (10219211, NSW/ACT)\"",
                            "istrebiteli_sound \"Istrebiteli Sound\"", "elan_eu3a05commonsys \"Elan \"Common\" System\"",
                            "eighteen_letters_x \"Eighteen\"", "10yard85          \"10-Yard Fight '85\"",
                            "short             \"\"", "nodesc"},
                           "Name:            Clone of:",
                           {"10yard85         100lions", "seventeen_chars_x 005", "eighteen_letters_x 005  "});
  EXPECT_EQ(names.Driver, (std::vector<std::string>{"005", "100lions", "istrebiteli_sound", "elan_eu3a05commonsys",
                                                    "eighteen_letters_x", "10yard85", "short", ""}));
  EXPECT_EQ(names.Description,
            (std::vector<std::string>{"005", "100 Lions (10219211, NSW/ACT)", "Istrebiteli Sound",
                                      "Elan \"Common\" System", "Eighteen", "10-Yard Fight '85", "", ""}));
  EXPECT_EQ(names.Parent, (std::vector<std::string>{"", "", "", "", "005", "100lions", "", ""}));
}

TEST_F(ListLayouts, TheClassicHeadersGiveTheFixedColumnsByteForByte) {
  // Lines as the classic lists hold them, and odd ones around them.
  const std::vector<std::string> full = {"abc       \"Abc\"", "tenletters\"A \"B\"\"", "abcd      \"Say \"Hi\"\"",
                                         "nohblank",           "short  \"x",          "x y",
                                         "         \"No name\"", ""};
  const std::vector<std::string> clones = {"abcd     abc   ", "abc      ab", "nonblankline", "x y"};
  Names fixed = ImportWith("whatever it holds", full, "anything", clones);
  EXPECT_EQ(ImportWith("Name:     Description:", full, "Name:    Clone of:", clones), fixed);
  EXPECT_EQ(fixed.Description[0], "Abc");
  EXPECT_EQ(fixed.Description[1], "A \"B\"");
  EXPECT_EQ(fixed.Parent[0], "ab");

  // A name too long for its column, followed by one blank as the emulator
  // writes it, is read so under a header that names the columns.
  const std::vector<std::string> longFull = {"long_name_here \"Desc\""};
  const std::vector<std::string> longClones = {"long_name_here abc"};
  Names named = ImportWith("Name:     Description:", longFull, "Name:    Clone of:", longClones);
  EXPECT_EQ(named.Description[0], "Desc");
  EXPECT_EQ(named.Parent[0], "abc");
  Names plain = ImportWith("header", longFull, "header", longClones);
  EXPECT_EQ(plain.Description[0], "ere \"Desc");
  EXPECT_EQ(plain.Parent[0], "_here");
}

TEST_F(ListLayouts, OtherHeadersKeepTheFixedColumns) {
  const std::vector<std::string> full = {"wide_name_abc     \"Wide\""};
  const std::vector<std::string> clones = {"wide_clone       wide_name_abc"};
  Names fixed = ImportWith("-", full, "-", clones);
  EXPECT_EQ(fixed.Description[0], "bc     \"Wide");
  for (const char* header : {"Name:             Description: ", " Name:             Description:",
                             "Name:\t\t  Description:", "Name:Description:", "name:             description:",
                             "Name:             Clone of:"}) {
    EXPECT_EQ(ImportWith(header, full, header, clones), fixed) << header;
  }
  EXPECT_EQ(ImportWith("Name: Description:", full, "Name: Clone of:", clones).Description[0], "me_abc     \"Wide");
}

TEST_F(ListLayouts, AGameLineIsALineAfterTheHeaderWithADriverName) {
  for (const auto& [lines, found] : std::vector<std::pair<std::vector<std::string>, bool>>{
           {{"Name:             Description:"}, false},
           {{"header", "", "  \"indented\"", "noblankatall"}, false},
           {{"header", "", "g \"G\""}, true},
           {{"abc       \"Only the header\""}, false},
       }) {
    WriteBytes("listfull.txt", CrLf(lines));
    EXPECT_EQ(HasGameLine(), found) << lines.back();
  }
  WriteBytes("listfull.txt", "");
  EXPECT_FALSE(HasGameLine());
}

}  // namespace
}  // namespace zeb
