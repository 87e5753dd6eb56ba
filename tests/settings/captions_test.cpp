#include <gtest/gtest.h>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "settings/settings.h"
#include "support/program_test.h"

namespace zeb {
namespace {

using Captions = testing_support::ProgramTest<>;

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

TEST_F(Captions, AValueWithoutARowKeepsItsCaptionTheOthersFollow) {
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

  Resolution = 11;
  JoystickType = 3;
  ScreenEffect = 7;
  ScreenDepth = 1;
  PanelScreen = 1;
  UpdateCaptions();
  EXPECT_EQ(ResolutionCaption.Str(), "1024x768");
  EXPECT_EQ(JoystickCaption.Str(), "HotrodSE");
  EXPECT_EQ(EffectCaption.Str(), " rgb16");
  EXPECT_EQ(DepthCaption.Str(), " 8 Bit");
  EXPECT_EQ(ScreenCaption.Str(), "Mame Options");
}

}  // namespace
}  // namespace zeb
