// The emulator's options as built from the settings.

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "storage/state.h"
#include "emulator/launch.h"
#include "emulator/launch_internal.h"
#include "settings/settings.h"
#include "support/program_test.h"

namespace zeb {
namespace {

class CommandOptionsTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetDefaultSettings();
  }

  static std::string Options(char separator = '.') {
    BuildCommandOptionsWith(separator);
    return CommandOptions.Str();
  }

};

TEST_F(CommandOptionsTest, DefaultsGiveWindowAndCheatsOnly) {
  EXPECT_EQ(Options(), "-w  -c  ");
  for (int slot = 41; slot <= MaxArgSlots; ++slot) EXPECT_TRUE(ArgSlots[slot].Empty()) << slot;

  // A second build starts from empty slots: nothing of the first one stays.
  Scanlines = 1;
  Volume = -3;
  Options();
  Scanlines = 0;
  Volume = 0;
  EXPECT_EQ(Options(), "-w  -c  ");
}

TEST_F(CommandOptionsTest, ScanlinesAndResolutionExample) {
  Scanlines = 1;
  Resolution = 6;
  EXPECT_EQ(Options(), "-w  -sl  -resolution 640x480 -c  ");
}

TEST_F(CommandOptionsTest, HandEditedYesNoValuesGiveTheArgumentEitherWay) {
  AutoFrameskip = 2;    // tested for not 1
  WindowedDisplay = 2;  // tested for not 0
  GameCheats = 0;
  EXPECT_EQ(Options(), "-noafs  -w  ");
}

TEST_F(CommandOptionsTest, EnumeratedChoices) {
  const std::pair<int, std::string> rates[] = {{0, "-sr 11025  "}, {1, "-sr 22050  "}, {2, ""}, {3, ""}, {-1, ""}};
  for (const auto& [value, argument] : rates) {
    SampleRate = value;
    EXPECT_EQ(Options(), "-w  " + argument + "-c  ") << "SampleRate " << value;
  }
  SampleRate = 2;

  const std::pair<int, std::string> joysticks[] = {
      {0, "-nojoy  "}, {1, ""}, {2, "-hotrod  "}, {3, "-hotrodse  "}, {4, ""}};
  for (const auto& [value, argument] : joysticks) {
    JoystickType = value;
    EXPECT_EQ(Options(), "-w  " + argument + "-c  ") << "JoystickType " << value;
  }
  JoystickType = 1;

  const char* effects[] = {"scan25", "scan50", "scan75", "rgb3", "rgb4", "rgb6", "rgb16"};
  for (int value = 1; value <= 7; ++value) {
    ScreenEffect = value;
    EXPECT_EQ(Options(), std::string("-w  -effect ") + effects[value - 1] + "  -c  ");
  }
  for (int value : {0, 8, -1}) {
    ScreenEffect = value;
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
    Resolution = c.resolution;
    ScreenDepth = c.depth;
    EXPECT_EQ(Options(), std::string("-w  ") + c.argument + "-c  ") << c.resolution << " / " << c.depth;
    EXPECT_EQ(ArgSlots[29] == "x16 ", c.depth == 2);
  }
}

TEST_F(CommandOptionsTest, IntegerArguments) {
  Volume = -32;
  FramesToRun = 5000;
  EXPECT_EQ(Options(), "-w  -vol -32  -c  -ftr 5000  ");
  Volume = 0;
  FramesToRun = 0;
  FramesToSkip = 11;
  Flicker = 100;
  EXPECT_EQ(Options(), "-fs 11  -w  -flicker 100  -c  ");
}

TEST_F(CommandOptionsTest, RealsUseTheGivenSeparator) {
  Brightness = 1.2;
  Gamma = 1.0;
  BeamWidth = 1.25;
  EXPECT_EQ(Options('.'), "-w  -beam 1.25  -c  -fsb 1.20  ");
  EXPECT_EQ(Options(','), "-w  -beam 1,25  -c  -fsb 1,20  ");

  Brightness = 1.0;
  Gamma = 0.8;
  BeamWidth = 2.0;
  EXPECT_EQ(Options(','), "-w  -beam 2  -c  -gamma 0,80  ");

  // Values reached by steps of 0.1 carry binary noise; the texts do not.
  Brightness = 0.1 + 0.1 + 0.1;
  Gamma = 1.5;
  BeamWidth = 1.0 / 3.0;
  EXPECT_EQ(Options('.'), "-w  -beam 0.333333333333333  -c  -fsb 0.30  -gamma 1.50  ");
  BeamWidth = 16.0;
  Brightness = 0.05;
  Gamma = 2.0;
  EXPECT_EQ(Options('.'), "-w  -beam 16  -c  -fsb 0.05  -gamma 2.00  ");
}

TEST_F(CommandOptionsTest, RomPathsPassedUnlessExactlyRoms) {
  RomPaths = "Roms";
  EXPECT_EQ(Options(), "-w  -c  -rp Roms  ");
  RomPaths = "roms";
  EXPECT_EQ(Options(), "-w  -c  ");
  RomPaths = "roms;more roms";
  EXPECT_EQ(Options(), "-w  -c  -rp roms;more roms  ");
  RomPaths = "";
  EXPECT_EQ(Options(), "-w  -c  -rp   ");
}

TEST_F(CommandOptionsTest, EveryArgumentInSlotOrder) {
  AutoFrameskip = 0; FramesToSkip = 2; VerticalSync = 1; TripleBuffer = 1; WindowedDisplay = 1;
  MaximizeWindow = 0; HardwareStretch = 0; Scanlines = 1; Throttle = 0; RotateRight = 1; RotateLeft = 1;
  FlipScreenLR = 1; FlipScreenUD = 1; SampleRate = 1; Samples = 0; ResampleFilter = 0; Sound = 0;
  Volume = -5; Resolution = 2; ScreenDepth = 2; ScreenEffect = 4; AntiAlias = 0; JoystickType = 2;
  Translucency = 0; BeamWidth = 1.5; Flicker = 5; Mouse = 0; GameArtwork = 0; GameCheats = 1;
  Brightness = 0.9; Gamma = 1.1; AutoSwitchRes = 0; AutoSwitchDepth = 0; UseGameRefresh = 1;
  UseScreenRefresh = 1; FramesToRun = 100; KeepScreenAspect = 0; SteadyKey = 1; RomPaths = "r"; Verbose = 1;

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
  EXPECT_EQ(ArgSlots[29], "x16 ");

  // Around the depth slot, which is never joined itself.
  SetDefaultSettings();
  Brightness = 0.9;
  RomPaths = "r";
  Verbose = 1;
  ScreenDepth = 3;
  EXPECT_EQ(Options(), "-w  -resolution 0x0x32  -c  -fsb 0.90  -rp r  -verbose  ");
}

TEST_F(CommandOptionsTest, LongRomPathsCutAt255) {
  RomPaths = std::string(240, 'p');
  Verbose = 1;
  std::string options = Options();
  EXPECT_EQ(options.size(), 255u);
  // The text is cut where 255 is reached, even inside an argument.
  EXPECT_EQ(options, "-w  -c  -rp " + std::string(240, 'p') + "  -");
  EXPECT_EQ(options.find("verbose"), std::string::npos);
}

}  // namespace
}  // namespace zeb
