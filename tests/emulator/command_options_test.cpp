// The emulator's options as built from the settings: their words, and the
// command line the Windows launch lays out of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/launch.h"
#include "settings/settings.h"

namespace zeb {
namespace {

using Words = std::vector<std::string>;

// The words of a text whose words hold no blank.
Words WordsOf(const std::string& text) {
  Words words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

Words TextsOf(const std::vector<CommandWord>& words) {
  Words texts;
  for (const CommandWord& word : words) texts.push_back(word.Text);
  return texts;
}

class CommandOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaultSettings(settings, captions); }

  // The classic command line's words (the emulator said nothing of its
  // options).
  Words Options(char separator = '.') {
    BuildCommandOptions(settings, separator, KnownOptions{}, slots);
    return TextsOf(slots.CommandOptions);
  }
  // Its text as the Windows launch writes it after the driver name.
  std::string Text() const { return CommandWordsText(slots.CommandOptions); }

  Settings settings;
  OptionCaptions captions;
  CommandLineSlots slots;
};

TEST_F(CommandOptionsTest, DefaultsGiveWindowAndCheatsOnly) {
  EXPECT_EQ(Options(), WordsOf("-w -c"));
  for (int slot = 41; slot <= MaxArgSlots; ++slot) EXPECT_TRUE(slots.ArgSlots[slot].empty()) << slot;

  // A second build starts from empty slots: nothing of the first one stays.
  settings.Scanlines = 1;
  settings.Volume = -3;
  Options();
  settings.Scanlines = 0;
  settings.Volume = 0;
  EXPECT_EQ(Options(), WordsOf("-w -c"));
}

TEST_F(CommandOptionsTest, ScanlinesAndResolutionExample) {
  settings.Scanlines = 1;
  settings.Resolution = 6;
  EXPECT_EQ(Options(), WordsOf("-w -sl -resolution 640x480 -c"));
}

TEST_F(CommandOptionsTest, HandEditedYesNoValuesGiveTheArgumentEitherWay) {
  settings.AutoFrameskip = 2;    // tested for not 1
  settings.WindowedDisplay = 2;  // tested for not 0
  settings.GameCheats = 0;
  EXPECT_EQ(Options(), WordsOf("-noafs -w"));
}

TEST_F(CommandOptionsTest, EnumeratedChoices) {
  const std::pair<int, std::string> rates[] = {{0, "-sr 11025  "}, {1, "-sr 22050  "}, {2, ""}, {3, ""}, {-1, ""}};
  for (const auto& [value, argument] : rates) {
    settings.SampleRate = value;
    EXPECT_EQ(Options(), WordsOf("-w " + argument + "-c ")) << "SampleRate " << value;
  }
  settings.SampleRate = 2;

  const std::pair<int, std::string> joysticks[] = {
      {0, "-nojoy  "}, {1, ""}, {2, "-hotrod  "}, {3, "-hotrodse  "}, {4, ""}};
  for (const auto& [value, argument] : joysticks) {
    settings.JoystickType = value;
    EXPECT_EQ(Options(), WordsOf("-w " + argument + "-c ")) << "JoystickType " << value;
  }
  settings.JoystickType = 1;

  const char* effects[] = {"scan25", "scan50", "scan75", "rgb3", "rgb4", "rgb6", "rgb16"};
  for (int value = 1; value <= 7; ++value) {
    settings.ScreenEffect = value;
    EXPECT_EQ(Options(), WordsOf(std::string("-w -effect ") + effects[value - 1] + " -c "));
  }
  for (int value : {0, 8, -1}) {
    settings.ScreenEffect = value;
    EXPECT_EQ(Options(), WordsOf("-w -c")) << value;
  }
}

TEST_F(CommandOptionsTest, ResolutionWithDepthSuffix) {
  struct Case {
    int resolution, depth;
    const char* argument;
  };
  const Case cases[] = {
      {0, 0, ""},
      {0, 2, "-resolution 0x0x16  "},
      {0, 9, "-resolution 0x0 "},  // an unusual depth: no suffix, still the auto size
      {1, 0, "-resolution 320x200 "},
      {6, 1, "-resolution 640x480x8  "},
      {11, 3, "-resolution 1024x768x32  "},
      {12, 2, ""},
      {-1, 0, ""},
  };
  for (const Case& c : cases) {
    settings.Resolution = c.resolution;
    settings.ScreenDepth = c.depth;
    EXPECT_EQ(Options(), WordsOf(std::string("-w ") + c.argument + "-c ")) << c.resolution << " / " << c.depth;
    EXPECT_EQ(slots.ArgSlots[29] == (SlotWords{CommandWord{"x16", 1}}), c.depth == 2);
  }
}

TEST_F(CommandOptionsTest, IntegerArguments) {
  settings.Volume = -32;
  settings.FramesToRun = 5000;
  EXPECT_EQ(Options(), WordsOf("-w -vol -32 -c -ftr 5000"));
  settings.Volume = 0;
  settings.FramesToRun = 0;
  settings.FramesToSkip = 11;
  settings.Flicker = 100;
  EXPECT_EQ(Options(), WordsOf("-fs 11 -w -flicker 100 -c"));
}

TEST_F(CommandOptionsTest, RealsUseTheGivenSeparator) {
  settings.Brightness = 1.2;
  settings.Gamma = 1.0;
  settings.BeamWidth = 1.25;
  EXPECT_EQ(Options('.'), WordsOf("-w -beam 1.25 -c -fsb 1.20"));
  EXPECT_EQ(Options(','), WordsOf("-w -beam 1,25 -c -fsb 1,20"));

  settings.Brightness = 1.0;
  settings.Gamma = 0.8;
  settings.BeamWidth = 2.0;
  EXPECT_EQ(Options(','), WordsOf("-w -beam 2 -c -gamma 0,80"));

  // Values reached by steps of 0.1 carry binary noise; the texts do not.
  settings.Brightness = 0.1 + 0.1 + 0.1;
  settings.Gamma = 1.5;
  settings.BeamWidth = 1.0 / 3.0;
  EXPECT_EQ(Options('.'), WordsOf("-w -beam 0.333333333333333 -c -fsb 0.30 -gamma 1.50"));
  settings.BeamWidth = 16.0;
  settings.Brightness = 0.05;
  settings.Gamma = 2.0;
  EXPECT_EQ(Options('.'), WordsOf("-w -beam 16 -c -fsb 0.05 -gamma 2.00"));
}

// The directories are the user's text: one word after "-rp", whatever it
// holds.
TEST_F(CommandOptionsTest, RomPathsAreOneWordPassedUnlessExactlyRoms) {
  settings.RomPaths = "Roms";
  EXPECT_EQ(Options(), (Words{"-w", "-c", "-rp", "Roms"}));
  settings.RomPaths = "roms";
  EXPECT_EQ(Options(), (Words{"-w", "-c"}));
  settings.RomPaths = "My Roms";
  EXPECT_EQ(Options(), (Words{"-w", "-c", "-rp", "My Roms"}));
  settings.RomPaths = "roms;C:\\Program Files\\mame\\roms\\; more \"roms\"\t";
  EXPECT_EQ(Options(), (Words{"-w", "-c", "-rp", "roms;C:\\Program Files\\mame\\roms\\; more \"roms\"\t"}));
  settings.RomPaths = "";
  EXPECT_EQ(Options(), (Words{"-w", "-c", "-rp", ""}));
}

TEST_F(CommandOptionsTest, EveryArgumentInSlotOrderAndNoneCut) {
  settings.AutoFrameskip = 0; settings.FramesToSkip = 2; settings.VerticalSync = 1; settings.TripleBuffer = 1;
  settings.WindowedDisplay = 1; settings.MaximizeWindow = 0; settings.HardwareStretch = 0; settings.Scanlines = 1;
  settings.Throttle = 0; settings.RotateRight = 1; settings.RotateLeft = 1; settings.FlipScreenLR = 1;
  settings.FlipScreenUD = 1; settings.SampleRate = 1; settings.Samples = 0; settings.ResampleFilter = 0;
  settings.Sound = 0; settings.Volume = -5; settings.Resolution = 2; settings.ScreenDepth = 2;
  settings.ScreenEffect = 4; settings.AntiAlias = 0; settings.JoystickType = 2; settings.Translucency = 0;
  settings.BeamWidth = 1.5; settings.Flicker = 5; settings.Mouse = 0; settings.GameArtwork = 0;
  settings.GameCheats = 1; settings.Brightness = 0.9; settings.Gamma = 1.1; settings.AutoSwitchRes = 0;
  settings.AutoSwitchDepth = 0; settings.UseGameRefresh = 1; settings.UseScreenRefresh = 1;
  settings.FramesToRun = 100; settings.KeepScreenAspect = 0; settings.SteadyKey = 1; settings.RomPaths = "r";
  settings.Verbose = 1;

  const char* arguments[] = {
      "-noafs ", "-fs 2 ", "-waitvsync ", "-tb ", "-w ", "-nomax ", "-nohws ", "-sl ", "-nothrottle ",
      "-ror ", "-rol ", "-flipx ", "-flipy ", "-sr 22050 ", "-nosamples ", "-noresamplefilter ",
      "-nosound ", "-vol -5 ", "-resolution 320x240x16 ", "-effect rgb3 ", "-noaa ", "-hotrod ", "-notl ",
      "-beam 1.5 ", "-flicker 5 ", "-nomouse ", "-noart ", "-c ", "-fsb 0.90 ", "-gamma 1.10 ",
      "-noswitchres ", "-noswitchbpp ", "-matchrefresh ", "-syncrefresh ", "-ftr 100 ", "-noka ",
      "-steadykey ", "-rp r ", "-verbose ",
  };
  // The classic join: each slot's text and a blank.
  std::string all;
  for (const char* argument : arguments) all += std::string(argument) + " ";
  ASSERT_GT(all.size(), 255u);

  // Past 255 characters, every word is still there, the last slot's too.
  EXPECT_EQ(Options(), WordsOf(all));
  EXPECT_EQ(Text(), all);
  EXPECT_EQ(slots.ArgSlots[29], (SlotWords{CommandWord{"x16", 1}}));

  // Around the depth slot, which is never joined itself.
  SetDefaultSettings(settings, captions);
  settings.Brightness = 0.9;
  settings.RomPaths = "r";
  settings.Verbose = 1;
  settings.ScreenDepth = 3;
  EXPECT_EQ(Options(), WordsOf("-w -resolution 0x0x32 -c -fsb 0.90 -rp r -verbose"));
}

TEST_F(CommandOptionsTest, LongRomPathsStayWholeAndTheVerboseSwitchAfterThem) {
  settings.RomPaths = std::string(240, 'p');
  settings.Verbose = 1;
  EXPECT_EQ(Options(), (Words{"-w", "-c", "-rp", std::string(240, 'p'), "-verbose"}));
  EXPECT_EQ(Text(), "-w  -c  -rp " + std::string(240, 'p') + "  -verbose  ");
}

// What the Windows launch writes is the classic command line, byte for
// byte, for every word without a blank or a double quote: each slot's text
// and a blank. A word that holds one is quoted.
TEST_F(CommandOptionsTest, TheWindowsCommandLineKeepsTheClassicLayout) {
  Options();
  EXPECT_EQ(Text(), "-w  -c  ");
  settings.Scanlines = 1;
  settings.Resolution = 6;
  Options();
  EXPECT_EQ(Text(), "-w  -sl  -resolution 640x480 -c  ");  // a size without a depth has no blank of its own
  settings.ScreenDepth = 1;
  settings.FramesToSkip = 3;
  Options();
  EXPECT_EQ(Text(), "-fs 3  -w  -sl  -resolution 640x480x8  -c  ");
  settings.Resolution = 0;
  settings.ScreenDepth = 9;
  Options();
  EXPECT_EQ(Text(), "-fs 3  -w  -sl  -resolution 0x0 -c  ");

  SetDefaultSettings(settings, captions);
  settings.RomPaths = "C:\\mame\\roms\\;roms2";
  Options();
  EXPECT_EQ(Text(), "-w  -c  -rp C:\\mame\\roms\\;roms2  ");
  settings.RomPaths = "C:\\Program Files\\mame\\roms\\";
  Options();
  EXPECT_EQ(Text(), "-w  -c  -rp \"C:\\Program Files\\mame\\roms\\\\\"  ");
  settings.RomPaths = "";
  Options();
  EXPECT_EQ(Text(), "-w  -c  -rp \"\"  ");
}

// Whatever the settings hold, the words come back from the Windows command
// line made of them, the directories as one word.
TEST_F(CommandOptionsTest, AnySettingsGiveWordsThatTheWindowsSplitGivesBack) {
  std::mt19937 random(20240611);
  const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
  const std::string characters = "ab; \t\"\\:.-";
  const KnownOptions modern = ParseShowUsage(
      "-window x\n-sound x\n-rompath x\n-brightness x\n-beam_width_min x\n-beam_width_max x\n-frameskip x\n"
      "-volume x\n-resolution x\n-cheat x\n-flicker x\n-gamma x\n-verbose x\n-effect x\n-samplerate x\n"
      "-joystick x\n-mouse x\n-throttle x\n-waitvsync x\n-ror x\n",
      0);
  ASSERT_TRUE(modern.Trusted);
  for (int round = 0; round < 2000; ++round) {
    SetDefaultSettings(settings, captions);
    for (int32_t* field : {&settings.AutoFrameskip, &settings.VerticalSync, &settings.WindowedDisplay,
                           &settings.Scanlines, &settings.Sound, &settings.AntiAlias, &settings.GameCheats,
                           &settings.Verbose, &settings.Throttle, &settings.Mouse}) {
      *field = below(3);
    }
    settings.FramesToSkip = below(12) - 1;
    settings.Volume = -below(33);
    settings.Resolution = below(13) - 1;
    settings.ScreenDepth = below(5);
    settings.ScreenEffect = below(9);
    settings.JoystickType = below(5);
    settings.Brightness = below(4) * 0.25 + 0.5;
    settings.BeamWidth = below(3) + 1.0;
    std::string romPaths;
    for (int length = below(12); length > 0; --length) romPaths += characters[static_cast<std::size_t>(below(10))];
    settings.RomPaths = romPaths;

    const bool trusted = below(2) == 1;
    BuildCommandOptions(settings, below(2) == 1 ? ',' : '.', trusted ? modern : KnownOptions{}, slots);
    std::vector<CommandWord> words{CommandWord{"astrobee", 1}};
    words.insert(words.end(), slots.CommandOptions.begin(), slots.CommandOptions.end());
    Words expected{"mame.exe"};
    for (const CommandWord& word : words) expected.push_back(word.Text);
    const std::string line = CommandLineOf("mame.exe", words);
    ASSERT_EQ(SplitCommandLine(line), expected) << line;

    const Words texts = TextsOf(slots.CommandOptions);
    const auto rp = std::find(texts.begin(), texts.end(), "-rp");
    if (trusted || romPaths != "roms") {
      ASSERT_NE(rp, texts.end()) << line;
      ASSERT_LT(rp + 1, texts.end()) << line;
      EXPECT_EQ(rp[1], romPaths) << line;
    }
  }
}

}  // namespace
}  // namespace zeb
