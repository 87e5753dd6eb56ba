#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings.h"
#include "storage/fatal.h"
#include "settings_fixture.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
using namespace settings_testing;

TEST_F(SettingsFile, DefaultsSaveAsExactly46CrLfLines) {
  SetDefaultSettings(settings, options.Captions);
  EXPECT_EQ(games.MameVersion.Str(), "None Loaded");
  Save();
  EXPECT_TRUE(SameLines(CrLf(DefaultLines("0")), ReadBytes("zeb.ini")));
  EXPECT_FALSE(std::filesystem::exists("zeb.ini.tmp"));
}

TEST_F(SettingsFile, EveryFieldAndEveryGameFieldSurvivesASaveAndALoad) {
  SetDefaultSettings(settings, options.Captions);
  settings.MamePath = "D:\\MAME\\";
  settings.RomPaths = "roms;more roms";
  settings.SamplePaths = "  samples;x=y";
  settings.ExeName = "mame64.exe";
  using S = Settings;
  int32_t S::* integers[] = {
      &S::AutoFrameskip, &S::FramesToSkip, &S::VerticalSync, &S::TripleBuffer, &S::WindowedDisplay,
      &S::MaximizeWindow, &S::HardwareStretch, &S::Scanlines, &S::Throttle, &S::RotateRight, &S::RotateLeft,
      &S::FlipScreenLR, &S::FlipScreenUD, &S::Verbose, &S::SampleRate, &S::Samples, &S::ResampleFilter, &S::Sound,
      &S::Volume, &S::Resolution, &S::ScreenEffect, &S::AutoSwitchRes, &S::AutoSwitchDepth, &S::KeepScreenAspect,
      &S::UseGameRefresh, &S::UseScreenRefresh, &S::FramesToRun, &S::AntiAlias, &S::JoystickType, &S::ScreenDepth,
      &S::Translucency, &S::Flicker, &S::Mouse, &S::GameArtwork, &S::GameCheats, &S::PauseAfterMame, &S::SteadyKey};
  int32_t value = 100;
  for (int32_t S::* field : integers) settings.*field = value++;
  settings.Volume = -5;
  settings.FramesToRun = 2147483647;
  settings.Flicker = -2147483647 - 1;
  settings.Brightness = 0.1 + 0.2;
  settings.Gamma = 1.2345678901234567e-150;
  settings.BeamWidth = -16.25;
  games.MameVersion = "Abc 2.05";
  std::string longDescription(255, 'd');
  AddGame({"abc", "Abc; the = game", "", "", "0", ""});
  AddGame({"abcd", "  Leading blanks \"quoted\"", "abc", "Maze / Collect", "1", "12"});
  AddGame({"", longDescription, "x", "Sports=Ball", "", "3"});
  Save();

  std::vector<std::string> lines = FileLines("zeb.ini");
  ASSERT_EQ(lines.size(), 46u + 18u);
  EXPECT_EQ(lines[23], "-5");
  EXPECT_EQ(lines[35], " 3.00000000000000E-0001");
  EXPECT_EQ(lines[36], " 1.23456789012346E-0150");
  EXPECT_EQ(lines[38], "-1.62500000000000E+0001");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 46, lines.begin() + 52),
            (std::vector<std::string>{"abc", "Abc; the = game", "", "", "0", ""}));

  // Into fresh records.
  Settings loaded;
  GameTable table;
  LoadSettings(loaded, table);
  EXPECT_EQ(loaded.MamePath.Str(), "D:\\MAME\\");
  EXPECT_EQ(loaded.RomPaths.Str(), "roms;more roms");
  EXPECT_EQ(loaded.SamplePaths.Str(), "  samples;x=y");
  EXPECT_EQ(loaded.ExeName.Str(), "mame64.exe");
  value = 100;
  for (int32_t S::* field : integers) {
    if (field == &S::Volume) {
      EXPECT_EQ(loaded.*field, -5);
    } else if (field == &S::FramesToRun) {
      EXPECT_EQ(loaded.*field, 2147483647);
    } else if (field == &S::Flicker) {
      EXPECT_EQ(loaded.*field, -2147483647 - 1);
    } else {
      EXPECT_EQ(loaded.*field, value);
    }
    ++value;
  }
  EXPECT_DOUBLE_EQ(loaded.Brightness, 0.3);
  EXPECT_NEAR(loaded.Gamma, 1.2345678901234567e-150, 1e-164);
  EXPECT_EQ(loaded.BeamWidth, -16.25);
  EXPECT_EQ(table.MameVersion.Str(), "Abc 2.05");
  ASSERT_EQ(table.GameCount, 3);
  EXPECT_EQ(table.Games[1].Description.Str(), "Abc; the = game");
  EXPECT_EQ(table.Games[2].Description.Str(), "  Leading blanks \"quoted\"");
  EXPECT_EQ(table.Games[2].CloneOf.Str(), "abc");
  EXPECT_EQ(table.Games[2].Category.Str(), "Maze / Collect");
  EXPECT_EQ(table.Games[2].Available.Str(), "1");
  EXPECT_EQ(table.Games[2].CheatCount.Str(), "12");
  EXPECT_TRUE(table.Games[3].DriverName.Empty());
  EXPECT_EQ(table.Games[3].Description.Str(), longDescription);
  EXPECT_EQ(table.Games[3].Category.Str(), "Sports=Ball");
  EXPECT_TRUE(table.Games[3].Available.Empty());

  // Saving what was loaded gives the same file again.
  std::string first = ReadBytes("zeb.ini");
  SaveSettings(loaded, table);
  EXPECT_TRUE(SameLines(first, ReadBytes("zeb.ini")));
}

class SettingsReals : public SettingsFile {
 protected:
  // Lines 36, 37 and 39 of the file saved with the three reals: the
  // brightness, the gamma and the beam width.
  std::vector<std::string> SavedReals(double brightness, double gamma, double beamWidth) {
    SetDefaultSettings(settings, options.Captions);
    settings.Brightness = brightness;
    settings.Gamma = gamma;
    settings.BeamWidth = beamWidth;
    Save();
    std::vector<std::string> lines = FileLines("zeb.ini");
    return {lines[35], lines[36], lines[38]};
  }
};

TEST_F(SettingsReals, RealsAreWrittenRoundedTo15DigitsAndReadInBothForms) {
  EXPECT_EQ(SavedReals(0.25, 2.0 / 3.0, 9.999999999999999),
            (std::vector<std::string>{" 2.50000000000000E-0001", " 6.66666666666667E-0001",
                                      " 1.00000000000000E+0001"}));

  std::vector<std::string> lines = FileLines("zeb.ini");
  lines[35] = "1.5";
  lines[36] = "-.5";
  lines[38] = "  2E2 ";
  WriteBytes("zeb.ini", CrLf(lines));
  Load();
  EXPECT_EQ(settings.Brightness, 1.5);
  EXPECT_EQ(settings.Gamma, -0.5);
  EXPECT_EQ(settings.BeamWidth, 200.0);
}

// The largest doubles would round past the largest double at 15 digits; the
// program must still read back the file it wrote.
TEST_F(SettingsReals, TheLargestRealsAreSavedSoThatTheFileLoadsBack) {
  EXPECT_EQ(SavedReals(1.7976931348623157e308, -1.797693134862315e308, 1.7976931348623149e308),
            (std::vector<std::string>{" 1.79769313486231E+0308", "-1.79769313486231E+0308",
                                      " 1.79769313486231E+0308"}));
  Load();
  EXPECT_EQ(settings.Brightness, 1.79769313486231e308);
  EXPECT_EQ(settings.Gamma, -1.79769313486231e308);
}

TEST_F(SettingsFile, AShortFileGivesEmptyGameFieldsAndAMissingFileChangesNothing) {
  Load();
  EXPECT_EQ(games.GameCount, 0);
  EXPECT_TRUE(settings.RomPaths.Empty());

  games.Games[4].DriverName = "kept";
  std::vector<std::string> lines = DefaultLines("3");
  for (const char* field : {"aaa", "Aaa", "", "", "1", "", "bbb", "Bbb", "aaa", "Cat", "0", "2"}) lines.push_back(field);
  WriteBytes("zeb.ini", CrLf(lines));
  games.Games[3].Description = "stale";
  Load();
  ASSERT_EQ(games.GameCount, 3);
  EXPECT_EQ(games.Games[2].CloneOf.Str(), "aaa");
  EXPECT_EQ(games.Games[2].CheatCount.Str(), "2");
  for (int field = 1; field <= 6; ++field) EXPECT_TRUE(GameField(games.Games[3], field).Empty()) << field;
  EXPECT_EQ(games.Games[4].DriverName.Str(), "kept");
  EXPECT_EQ(settings.RomPaths.Str(), "roms");
}

// Each bad line ends the load with a report naming the text and its line,
// and leaves zeb.ini as it was. The reports are taken in this process (a
// death test of its own per case would start the test program again for
// each, which under wine is a whole Windows process each time); that the
// report ends the program, with status 1 and the report on standard error,
// is asserted once, at the end.
TEST_F(SettingsFile, ALineThatDoesNotConvertIsAnErrorNamingIt) {
  struct Case {
    int line;
    const char* text;
    const char* kind;
  } cases[] = {
      {7, "abc", "integer"},
      {24, "+5", "integer"},
      {24, "5 ", "integer"},
      {32, "99999999999", "integer"},
      {36, "1,5", "floating point"},
      {37, "", "floating point"},
      {39, "nan", "floating point"},
      {39, "1e999", "floating point"},
      {39, "1.0E", "floating point"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = DefaultLines("0");
    lines[c.line - 1] = c.text;
    std::string bytes = CrLf(lines);
    WriteBytes("zeb.ini", bytes);
    EXPECT_EQ(FatalMessage([this] { Load(); }), std::string("'") + c.text + "' is not a valid " + c.kind +
                                                     " value\nin 'zeb.ini', line " + std::to_string(c.line))
        << c.line << " " << c.text;
    EXPECT_TRUE(SameLines(bytes, ReadBytes("zeb.ini")));
  }
  // A file that ends inside the settings lines reads an empty integer line.
  std::string shortFile = CrLf({"0", "", "roms", "samples", "mame.exe", "1"});
  WriteBytes("zeb.ini", shortFile);
  EXPECT_EQ(FatalMessage([this] { Load(); }), "'' is not a valid integer value\nin 'zeb.ini', line 7");
  // The report ends the program.
  EXPECT_EXIT(Load(), testing::ExitedWithCode(1),
              testing::Eq("zeb: '' is not a valid integer value\nzeb: in 'zeb.ini', line 7\n"));
  EXPECT_EQ(ReadBytes("zeb.ini"), shortFile);
}

// A damaged file must not be able to steer the terminal through the report:
// its control bytes and bytes above 126 are quoted in a visible form.
TEST_F(SettingsFile, AReportQuotesControlBytesVisibly) {
  struct Case {
    int line;
    std::string text;
    std::string report;
  } cases[] = {
      {1, "\x1b[?1049h\x1b[?1002h\x1b[?1006h\x1b[?25l",
       "zeb: '\\x1B[?1049h\\x1B[?1002h\\x1B[?1006h\\x1B[?25l' is not a valid integer value\n"
       "zeb: in 'zeb.ini', line 1\n"},
      {37, std::string("1\x07\x9b\xff\\x", 6) + std::string(1, '\0'),
       "zeb: '1\\x07\\x9B\\xFF\\x\\x00' is not a valid floating point value\nzeb: in 'zeb.ini', line 37\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = DefaultLines("0");
    lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    WriteBytes("zeb.ini", CrLf(lines));
    EXPECT_EXIT(Load(), testing::ExitedWithCode(1), testing::Eq(c.report)) << c.line;
  }
}

TEST_F(SettingsFile, ACountOutsideTheTableIsRefusedBeforeAnythingChanges) {
  for (const char* count : {"100001", "-1"}) {
    std::string bytes = CrLf(DefaultLines(count));
    WriteBytes("zeb.ini", bytes);
    EXPECT_EXIT(Load(), testing::ExitedWithCode(1),
                std::string("zeb: 'zeb.ini' declares ") + count + " games; it can hold 0 to 100000");
    EXPECT_TRUE(SameLines(bytes, ReadBytes("zeb.ini")));
  }
  SetDefaultSettings(settings, options.Captions);
  Save();
  std::string saved = ReadBytes("zeb.ini");
  games.GameCount = 100001;
  EXPECT_EXIT(Save(), testing::ExitedWithCode(1),
              "zeb: 'zeb.ini' declares 100001 games; it can hold 0 to 100000");
  EXPECT_TRUE(SameLines(saved, ReadBytes("zeb.ini")));
}

TEST_F(SettingsFile, ASaveNeverWritesThroughAFilePlantedAtATemporaryName) {
  SaveATable(1);
  // Files at every name an older save used, someone else's.
  WriteBytes("zeb.ini.tmp", "not ours\n");
  WriteBytes("zeb.ini.new", "not ours either\n");
  Save();
  EXPECT_EQ(ReadBytes("zeb.ini.tmp"), "not ours\n");
  EXPECT_EQ(ReadBytes("zeb.ini.new"), "not ours either\n");
  EXPECT_EQ(FileLines("zeb.ini")[23], "-7");
  EXPECT_EQ(OtherEntries().size(), 2u);
}

// The new file cannot take the old one's place: the report, and nothing
// left behind; with the way clear the same save goes through.
TEST_F(SettingsFile, ASaveThatCannotReplaceTheFileLeavesNothingBehind) {
  SaveATable(500);
  std::filesystem::remove("zeb.ini");
  std::filesystem::create_directories("zeb.ini/inside");
  EXPECT_EQ(FatalMessage([&] { Save(); }).rfind("cannot replace 'zeb.ini': ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory("zeb.ini/inside"));
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());

  std::filesystem::remove_all("zeb.ini");
  Save();
  EXPECT_EQ(FileLines("zeb.ini")[23], "-7");
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());
}

// Game `game` of a generated table: every field differs from game to game,
// long and short texts mixed, some fields empty.
std::vector<std::string> GeneratedGame(int game) {
  std::string n = std::to_string(game);
  return {"g" + n,
          game % 7 == 0 ? std::string() : "Generated game number " + n + std::string(static_cast<std::size_t>(game % 90), '*'),
          game % 3 == 0 ? "g" + std::to_string(game - 1) : std::string(),
          game % 2 == 0 ? "Shooter / Flying Vertical" : "Maze",
          game % 2 == 0 ? "1" : "0",
          game % 5 == 0 ? n : std::string()};
}

std::vector<std::string> GeneratedFile(int games) {
  std::vector<std::string> lines = DefaultLines(std::to_string(games));
  for (int game = 1; game <= games; ++game) {
    for (std::string& field : GeneratedGame(game)) lines.push_back(std::move(field));
  }
  return lines;
}

TEST_F(SettingsFile, AFileOf4000GamesLoadsWholeAndSavesUnchanged) {
  std::string bytes = CrLf(GeneratedFile(4000));
  WriteBytes("zeb.ini", bytes);
  Load();
  ASSERT_EQ(games.GameCount, 4000);
  for (int game = 1; game <= 4000; ++game) {
    std::vector<std::string> fields = GeneratedGame(game);
    for (int field = 1; field <= 6; ++field) {
      ASSERT_EQ(GameField(games.Games[game], field).Str(), fields[static_cast<std::size_t>(field - 1)])
          << game << " " << field;
    }
  }
  std::filesystem::remove("zeb.ini");
  Save();
  EXPECT_TRUE(SameLines(bytes, ReadBytes("zeb.ini")));
}

TEST_F(SettingsFile, AFileThatFillsTheTableLoadsWholeAndSavesUnchanged) {
  std::vector<std::string> lines = DefaultLines(std::to_string(MaxGames));
  for (int game = 1; game <= MaxGames; ++game) {
    for (const std::string& field : {std::to_string(game), std::string(), std::string(), std::string(),
                                     std::string(game % 2 ? "1" : "0"), std::string()}) {
      lines.push_back(field);
    }
  }
  std::string bytes = CrLf(lines);
  WriteBytes("zeb.ini", bytes);
  Load();
  ASSERT_EQ(games.GameCount, MaxGames);
  EXPECT_EQ(games.Games[1].DriverName, "1");
  EXPECT_EQ(games.Games[MaxGames].DriverName, "100000");
  EXPECT_EQ(games.Games[MaxGames].Available, "0");
  std::filesystem::remove("zeb.ini");
  Save();
  EXPECT_TRUE(SameLines(bytes, ReadBytes("zeb.ini")));
}

TEST_F(SettingsFile, ARefusedCountLeavesTheTableAndSettingsInMemoryAsTheyWere) {
  WriteBytes("zeb.ini", CrLf(GeneratedFile(3)));
  Load();
  settings.Volume = -9;
  std::vector<std::string> lines = GeneratedFile(4);
  lines[0] = "100001";
  lines[23] = "-3";  // the volume
  WriteBytes("zeb.ini", CrLf(lines));

  EXPECT_EQ(FatalMessage([&] { Load(); }), "'zeb.ini' declares 100001 games; it can hold 0 to 100000");
  EXPECT_EQ(games.GameCount, 3);
  EXPECT_EQ(settings.Volume, -9);
  for (int game = 1; game <= 3; ++game) {
    std::vector<std::string> fields = GeneratedGame(game);
    for (int field = 1; field <= 6; ++field) {
      EXPECT_EQ(GameField(games.Games[game], field).Str(), fields[static_cast<std::size_t>(field - 1)])
          << game << " " << field;
    }
  }
  EXPECT_TRUE(games.Games[4].DriverName.Empty());
}

}  // namespace
}  // namespace zeb
