// The captions of the screen on display and of the five enumerated options.
// Every blank counts: the blanks centre the text in its field.

#include <cstdint>

#include "storage/state.h"
#include "settings/settings.h"

namespace zeb {

ShortString ScreenCaption;
ShortString JoystickCaption;
ShortString DepthCaption;
ShortString SampleRateCaption;
ShortString EffectCaption;
ShortString ResolutionCaption;

namespace {

constexpr const char* ScreenCaptions[] = {" Games List ", "Mame Options", "File Viewer"};
constexpr const char* JoystickCaptions[] = {"  None  ", " Normal ", " Hotrod ", "HotrodSE"};
constexpr const char* DepthCaptions[] = {" auto ", " 8 Bit", "16 Bit", "32 Bit"};
constexpr const char* SampleRateCaptions[] = {"11025", "22050", "44100"};
constexpr const char* EffectCaptions[] = {" none ", "scan25", "scan50", "scan75",
                                          " rgb3 ", " rgb4 ", " rgb6 ", " rgb16"};
constexpr const char* ResolutionCaptions[] = {"  auto  ", " 320x200", " 320x240", " 400x300",
                                              " 512x384", " 640x400", " 640x480", " 720x480",
                                              " 720x576", " 800x600", " 960x720", "1024x768"};

// A value without a row in its table leaves the caption as it was.
template <std::size_t N>
void SetCaption(ShortString& caption, const char* const (&table)[N], int32_t value) {
  if (value >= 0 && static_cast<std::size_t>(value) < N) caption = table[value];
}

}  // namespace

void UpdateCaptions() {
  SetCaption(ScreenCaption, ScreenCaptions, PanelScreen);
  SetCaption(JoystickCaption, JoystickCaptions, JoystickType);
  SetCaption(DepthCaption, DepthCaptions, ScreenDepth);
  SetCaption(SampleRateCaption, SampleRateCaptions, SampleRate);
  SetCaption(EffectCaption, EffectCaptions, ScreenEffect);
  SetCaption(ResolutionCaption, ResolutionCaptions, Resolution);
}

}  // namespace zeb
