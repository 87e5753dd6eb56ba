#include <gtest/gtest.h>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "settings/settings.h"

namespace zeb {
namespace {

class Captions : public testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ConsoleUseBackend(&backend_);
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }
  ScriptedBackend backend_;
};

TEST_F(Captions, EmptyUntilComputedThenFollowTheDefaults) {
  for (const ShortString* caption : {&ScreenCaption, &JoystickCaption, &DepthCaption, &SampleRateCaption,
                                     &EffectCaption, &ResolutionCaption}) {
    EXPECT_TRUE(caption->Empty());
  }
  SetDefaultSettings();
  EXPECT_EQ(ScreenCaption.Str(), " Games List ");
  EXPECT_EQ(JoystickCaption.Str(), " Normal ");
  EXPECT_EQ(DepthCaption.Str(), " auto ");
  EXPECT_EQ(SampleRateCaption.Str(), "44100");
  EXPECT_EQ(EffectCaption.Str(), " none ");
  EXPECT_EQ(ResolutionCaption.Str(), "  auto  ");
}

TEST_F(Captions, EveryValueHasItsFixedWidthText) {
  const char* screens[] = {" Games List ", "Mame Options", "File Viewer"};
  const char* joysticks[] = {"  None  ", " Normal ", " Hotrod ", "HotrodSE"};
  const char* depths[] = {" auto ", " 8 Bit", "16 Bit", "32 Bit"};
  const char* rates[] = {"11025", "22050", "44100"};
  const char* effects[] = {" none ", "scan25", "scan50", "scan75", " rgb3 ", " rgb4 ", " rgb6 ", " rgb16"};
  const char* resolutions[] = {"  auto  ", " 320x200", " 320x240", " 400x300", " 512x384", " 640x400",
                               " 640x480", " 720x480", " 720x576", " 800x600", " 960x720", "1024x768"};
  for (int value = 0; value < 12; ++value) {
    PanelScreen = value % 3;
    JoystickType = value % 4;
    ScreenDepth = value % 4;
    SampleRate = value % 3;
    ScreenEffect = value % 8;
    Resolution = value;
    UpdateCaptions();
    EXPECT_EQ(ScreenCaption.Str(), screens[value % 3]);
    EXPECT_EQ(JoystickCaption.Str(), joysticks[value % 4]);
    EXPECT_EQ(DepthCaption.Str(), depths[value % 4]);
    EXPECT_EQ(SampleRateCaption.Str(), rates[value % 3]);
    EXPECT_EQ(EffectCaption.Str(), effects[value % 8]);
    EXPECT_EQ(ResolutionCaption.Str(), resolutions[value]);
  }
}

TEST_F(Captions, AValueWithoutARowLeavesOnlyItsCaptionAsItWas) {
  SetDefaultSettings();
  Resolution = 12;
  JoystickType = -1;
  ScreenEffect = 8;
  SampleRate = 0;
  PanelScreen = 2;
  UpdateCaptions();
  EXPECT_EQ(ResolutionCaption.Str(), "  auto  ");
  EXPECT_EQ(JoystickCaption.Str(), " Normal ");
  EXPECT_EQ(EffectCaption.Str(), " none ");
  EXPECT_EQ(SampleRateCaption.Str(), "11025");
  EXPECT_EQ(ScreenCaption.Str(), "File Viewer");
}

}  // namespace
}  // namespace zeb
