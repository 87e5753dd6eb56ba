// The emulator's options as built from the settings.

#include <gtest/gtest.h>

#include <string>

#include "emulator/launch.h"
#include "settings/settings.h"

namespace zeb {
namespace {

class CommandOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaultSettings(settings, captions); }

  // The classic command line (the emulator said nothing of its options).
  std::string Options(char separator = '.') {
    BuildCommandOptions(settings, separator, KnownOptions{}, slots);
    return slots.CommandOptions.Str();
  }

  Settings settings;
  OptionCaptions captions;
  CommandLineSlots slots;
};

TEST_F(CommandOptionsTest, DefaultsGiveWindowAndCheatsOnly) {
  EXPECT_EQ(Options(), "-w  -c  ");
  for (int slot = 41; slot <= MaxArgSlots; ++slot) EXPECT_TRUE(slots.ArgSlots[slot].Empty()) << slot;

  // A second build starts from empty slots: nothing of the first one stays.
  settings.Scanlines = 1;
  settings.Volume = -3;
  Options();
  settings.Scanlines = 0;
  settings.Volume = 0;
  EXPECT_EQ(Options(), "-w  -c  ");
}

TEST_F(CommandOptionsTest, ScanlinesAndResolutionExample) {
  settings.Scanlines = 1;
  settings.Resolution = 6;
  EXPECT_EQ(Options(), "-w  -sl  -resolution 640x480 -c  ");
}

TEST_F(CommandOptionsTest, HandEditedYesNoValuesGiveTheArgumentEitherWay) {
  settings.AutoFrameskip = 2;    // tested for not 1
  settings.WindowedDisplay = 2;  // tested for not 0
  settings.GameCheats = 0;
  EXPECT_EQ(Options(), "-noafs  -w  ");
}

TEST_F(CommandOptionsTest, EnumeratedChoices) {
  const std::pair<int, std::string> rates[] = {{0, "-sr 11025  "}, {1, "-sr 22050  "}, {2, ""}, {3, ""}, {-1, ""}};
  for (const auto& [value, argument] : rates) {
    settings.SampleRate = value;
    EXPECT_EQ(Options(), "-w  " + argument + "-c  ") << "SampleRate " << value;
  }
  settings.SampleRate = 2;

  const std::pair<int, std::string> joysticks[] = {
      {0, "-nojoy  "}, {1, ""}, {2, "-hotrod  "}, {3, "-hotrodse  "}, {4, ""}};
  for (const auto& [value, argument] : joysticks) {
    settings.JoystickType = value;
    EXPECT_EQ(Options(), "-w  " + argument + "-c  ") << "JoystickType " << value;
  }
  settings.JoystickType = 1;

  const char* effects[] = {"scan25", "scan50", "scan75", "rgb3", "rgb4", "rgb6", "rgb16"};
  for (int value = 1; value <= 7; ++value) {
    settings.ScreenEffect = value;
    EXPECT_EQ(Options(), std::string("-w  -effect ") + effects[value - 1] + "  -c  ");
  }
  for (int value : {0, 8, -1}) {
    settings.ScreenEffect = value;
    EXPECT_EQ(Options(), "-w  -c  ") << value;
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
    EXPECT_EQ(Options(), std::string("-w  ") + c.argument + "-c  ") << c.resolution << " / " << c.depth;
    EXPECT_EQ(slots.ArgSlots[29] == "x16 ", c.depth == 2);
  }
}

TEST_F(CommandOptionsTest, IntegerArguments) {
  settings.Volume = -32;
  settings.FramesToRun = 5000;
  EXPECT_EQ(Options(), "-w  -vol -32  -c  -ftr 5000  ");
  settings.Volume = 0;
  settings.FramesToRun = 0;
  settings.FramesToSkip = 11;
  settings.Flicker = 100;
  EXPECT_EQ(Options(), "-fs 11  -w  -flicker 100  -c  ");
}

TEST_F(CommandOptionsTest, RealsUseTheGivenSeparator) {
  settings.Brightness = 1.2;
  settings.Gamma = 1.0;
  settings.BeamWidth = 1.25;
  EXPECT_EQ(Options('.'), "-w  -beam 1.25  -c  -fsb 1.20  ");
  EXPECT_EQ(Options(','), "-w  -beam 1,25  -c  -fsb 1,20  ");

  settings.Brightness = 1.0;
  settings.Gamma = 0.8;
  settings.BeamWidth = 2.0;
  EXPECT_EQ(Options(','), "-w  -beam 2  -c  -gamma 0,80  ");

  // Values reached by steps of 0.1 carry binary noise; the texts do not.
  settings.Brightness = 0.1 + 0.1 + 0.1;
  settings.Gamma = 1.5;
  settings.BeamWidth = 1.0 / 3.0;
  EXPECT_EQ(Options('.'), "-w  -beam 0.333333333333333  -c  -fsb 0.30  -gamma 1.50  ");
  settings.BeamWidth = 16.0;
  settings.Brightness = 0.05;
  settings.Gamma = 2.0;
  EXPECT_EQ(Options('.'), "-w  -beam 16  -c  -fsb 0.05  -gamma 2.00  ");
}

TEST_F(CommandOptionsTest, RomPathsPassedUnlessExactlyRoms) {
  settings.RomPaths = "Roms";
  EXPECT_EQ(Options(), "-w  -c  -rp Roms  ");
  settings.RomPaths = "roms";
  EXPECT_EQ(Options(), "-w  -c  ");
  settings.RomPaths = "roms;more roms";
  EXPECT_EQ(Options(), "-w  -c  -rp roms;more roms  ");
  settings.RomPaths = "";
  EXPECT_EQ(Options(), "-w  -c  -rp   ");
}

TEST_F(CommandOptionsTest, EveryArgumentInSlotOrder) {
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
  std::string all;
  for (const char* argument : arguments) all += std::string(argument) + " ";
  ASSERT_GT(all.size(), 255u);

  std::string options = Options();
  EXPECT_EQ(options, all.substr(0, 255));
  // What passes 255 characters is lost from the end: the highest slots go first.
  EXPECT_EQ(options.find("-verbose"), std::string::npos);
  EXPECT_EQ(slots.ArgSlots[29], "x16 ");

  // Around the depth slot, which is never joined itself.
  SetDefaultSettings(settings, captions);
  settings.Brightness = 0.9;
  settings.RomPaths = "r";
  settings.Verbose = 1;
  settings.ScreenDepth = 3;
  EXPECT_EQ(Options(), "-w  -resolution 0x0x32  -c  -fsb 0.90  -rp r  -verbose  ");
}

TEST_F(CommandOptionsTest, LongRomPathsCutAt255) {
  settings.RomPaths = std::string(240, 'p');
  settings.Verbose = 1;
  std::string options = Options();
  EXPECT_EQ(options.size(), 255u);
  // The text is cut where 255 is reached, even inside an argument.
  EXPECT_EQ(options, "-w  -c  -rp " + std::string(240, 'p') + "  -");
  EXPECT_EQ(options.find("verbose"), std::string::npos);
}

}  // namespace
}  // namespace zeb
