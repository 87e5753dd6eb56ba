#include <gtest/gtest.h>

#include "console/scripted_backend.h"
#include "storage/state.h"
#include "settings/settings.h"
#include "support/program_test.h"

namespace zeb {
namespace {

using Captions = testing_support::ProgramTest<>;

// The captions as the screens show them are checked on the screen model;
// here what the screens cannot show: captions exist only once computed, and
// a value without a row in its table leaves its caption as it was.
TEST_F(Captions, EmptyUntilComputedThenFollowTheDefaults) {
  for (const ShortString* caption : {&ScreenCaption, &JoystickCaption, &DepthCaption, &SampleRateCaption,
                                     &EffectCaption, &ResolutionCaption}) {
    EXPECT_TRUE(caption->Empty());
  }
  SetDefaultSettings();
  EXPECT_EQ(ScreenCaption.Str(), " Games List ");
  EXPECT_EQ(DepthCaption.Str(), " auto ");
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
}

}  // namespace
}  // namespace zeb
