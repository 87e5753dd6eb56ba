#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/program_test.h"

namespace zeb {
namespace {

using Captions = testing_support::ProgramTest<>;

// The captions as the screens show them are checked on the screen model;
// here what the screens cannot show: captions exist only once computed, and
// a value without a row in its table leaves its caption as it was.
TEST_F(Captions, EmptyUntilComputedThenFollowTheDefaults) {
  OptionCaptions& captions = options.Captions;
  for (const ShortString* caption : {&captions.JoystickCaption, &captions.DepthCaption, &captions.SampleRateCaption,
                                     &captions.EffectCaption, &captions.ResolutionCaption}) {
    EXPECT_TRUE(caption->Empty());
  }
  SetDefaultSettings(settings, captions);
  EXPECT_EQ(ScreenCaption(0), " Games List ");
  EXPECT_EQ(captions.DepthCaption.Str(), " auto ");
}

TEST_F(Captions, AValueWithoutARowKeepsItsCaptionTheOthersFollow) {
  OptionCaptions& captions = options.Captions;
  SetDefaultSettings(settings, captions);
  settings.Resolution = 12;
  settings.JoystickType = -1;
  settings.ScreenEffect = 8;
  settings.SampleRate = 0;
  UpdateCaptions(captions, settings);
  EXPECT_EQ(captions.ResolutionCaption.Str(), "  auto  ");
  EXPECT_EQ(captions.JoystickCaption.Str(), " Normal ");
  EXPECT_EQ(captions.EffectCaption.Str(), " none ");
  EXPECT_EQ(captions.SampleRateCaption.Str(), "11025");
  // A screen's caption is its own, with none for a number without a screen.
  EXPECT_EQ(ScreenCaption(2), "File Viewer");
  EXPECT_EQ(ScreenCaption(3), "");
}

}  // namespace
}  // namespace zeb
