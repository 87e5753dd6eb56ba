// The captions of the screen on display and of the five enumerated options.
// Every blank counts: the blanks centre the text in its field.

#include <cstdint>

#include "settings/settings.h"

namespace zeb {

namespace {

// Each table a block of fixed-size texts, one per value.
constexpr char ScreenCaptions[][13] = {" Games List ", "Mame Options", "File Viewer"};
constexpr char JoystickCaptions[][9] = {"  None  ", " Normal ", " Hotrod ", "HotrodSE"};
constexpr char DepthCaptions[][7] = {" auto ", " 8 Bit", "16 Bit", "32 Bit"};
constexpr char SampleRateCaptions[][6] = {"11025", "22050", "44100"};
constexpr char EffectCaptions[][7] = {" none ", "scan25", "scan50", "scan75", " rgb3 ", " rgb4 ", " rgb6 ", " rgb16"};
constexpr char ResolutionCaptions[][9] = {"  auto  ", " 320x200", " 320x240", " 400x300", " 512x384", " 640x400",
                                          " 640x480", " 720x480", " 720x576", " 800x600", " 960x720", "1024x768"};

// A value without a row in its table leaves the caption as it was.
template <std::size_t N, std::size_t Width>
void SetCaption(ShortString& caption, const char (&table)[N][Width], int32_t value) {
  if (value >= 0 && static_cast<std::size_t>(value) < N) caption = table[value];
}

}  // namespace

void UpdateCaptions(OptionCaptions& captions, const Settings& settings) {
  SetCaption(captions.JoystickCaption, JoystickCaptions, settings.JoystickType);
  SetCaption(captions.DepthCaption, DepthCaptions, settings.ScreenDepth);
  SetCaption(captions.SampleRateCaption, SampleRateCaptions, settings.SampleRate);
  SetCaption(captions.EffectCaption, EffectCaptions, settings.ScreenEffect);
  SetCaption(captions.ResolutionCaption, ResolutionCaptions, settings.Resolution);
}

std::string_view ScreenCaption(int screen) {
  if (screen < 0 || static_cast<std::size_t>(screen) >= std::size(ScreenCaptions)) return {};
  return ScreenCaptions[screen];
}

}  // namespace zeb
