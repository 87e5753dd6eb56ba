// The emulator's options, built from the settings record: one argument slot
// per option, joined in slot order into CommandOptions.

#include <charconv>
#include <string_view>

#include "storage/state.h"
#include "emulator/launch.h"
#include "emulator/launch_internal.h"
#include "settings/settings.h"

namespace zeb {

namespace {

// Slot numbers whose order is the order of the arguments on the command line.
constexpr int ResolutionSlot = 19;
constexpr int DepthSlot = 29;  // holds the resolution's depth suffix; never joined itself

constexpr const char* ResolutionSizes[] = {
    "320x200", "320x240", "400x300", "512x384", "640x400", "640x480",
    "720x480", "720x576", "800x600", "960x720", "1024x768",
};

constexpr const char* ScreenEffects[] = {
    "-effect scan25 ", "-effect scan50 ", "-effect scan75 ", "-effect rgb3 ",
    "-effect rgb4 ",   "-effect rgb6 ",   "-effect rgb16 ",
};

ShortString Joined(std::string_view a, std::string_view b = "", std::string_view c = "") {
  ShortString text = a;
  text += b;
  text += c;
  return text;
}

// The "." of a number text made the user's separator.
ShortString WithSeparator(const char* first, const char* last, char separator) {
  ShortString text = std::string_view(first, static_cast<std::size_t>(last - first));
  for (std::size_t i = 0; i < text.Length(); ++i) {
    if (text[i] == '.') text[i] = separator;
  }
  return text;
}

// The fewest digits that show the value, up to 15 significant ones
// (1.25 -> "1.25", 2.0 -> "2").
ShortString GeneralText(double value, char separator) {
  char buffer[256];  // as long as a short string can be
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return WithSeparator(buffer, result.ptr, separator);
}

// Exactly two decimals (1.5 -> "1.50").
ShortString TwoDecimalsText(double value, char separator) {
  char buffer[400];  // room for the largest double in fixed notation
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return WithSeparator(buffer, result.ptr, separator);
}

void SetIf(bool condition, int slot, std::string_view text) {
  if (condition) ArgSlots[slot] = text;
}

}  // namespace

void BuildCommandOptionsWith(char separator) {
  CommandOptions.Clear();
  for (int slot = 1; slot <= MaxArgSlots; ++slot) ArgSlots[slot].Clear();

  SetIf(AutoFrameskip != 1, 1, "-noafs ");
  SetIf(FramesToSkip != 0, 2, Joined("-fs ", IntText(FramesToSkip), " "));
  SetIf(VerticalSync != 0, 3, "-waitvsync ");
  SetIf(TripleBuffer != 0, 4, "-tb ");
  SetIf(WindowedDisplay != 0, 5, "-w ");
  SetIf(MaximizeWindow != 1, 6, "-nomax ");
  SetIf(HardwareStretch != 1, 7, "-nohws ");
  SetIf(Scanlines != 0, 8, "-sl ");
  SetIf(Throttle != 1, 9, "-nothrottle ");
  SetIf(RotateRight != 0, 10, "-ror ");
  SetIf(RotateLeft != 0, 11, "-rol ");
  SetIf(FlipScreenLR != 0, 12, "-flipx ");
  SetIf(FlipScreenUD != 0, 13, "-flipy ");
  SetIf(SampleRate == 0, 14, "-sr 11025 ");
  SetIf(SampleRate == 1, 14, "-sr 22050 ");
  SetIf(Samples != 1, 15, "-nosamples ");
  SetIf(ResampleFilter != 1, 16, "-noresamplefilter ");
  SetIf(Sound != 1, 17, "-nosound ");
  SetIf(Volume != 0, 18, Joined("-vol ", IntText(Volume), " "));

  SetIf(ScreenDepth == 1, DepthSlot, "x8 ");
  SetIf(ScreenDepth == 2, DepthSlot, "x16 ");
  SetIf(ScreenDepth == 3, DepthSlot, "x32 ");

  if (Resolution == 0) {
    SetIf(ScreenDepth != 0, ResolutionSlot, Joined("-resolution 0x0", ArgSlots[DepthSlot]));
  } else if (Resolution >= 1 && Resolution <= 11) {
    ArgSlots[ResolutionSlot] = Joined("-resolution ", ResolutionSizes[Resolution - 1], ArgSlots[DepthSlot]);
  }

  if (ScreenEffect >= 1 && ScreenEffect <= 7) ArgSlots[20] = ScreenEffects[ScreenEffect - 1];
  SetIf(AntiAlias != 1, 21, "-noaa ");
  SetIf(JoystickType == 0, 22, "-nojoy ");
  SetIf(JoystickType == 2, 22, "-hotrod ");
  SetIf(JoystickType == 3, 22, "-hotrodse ");
  SetIf(Translucency != 1, 23, "-notl ");
  SetIf(BeamWidth != 1.0, 24, Joined("-beam ", GeneralText(BeamWidth, separator), " "));
  SetIf(Flicker != 0, 25, Joined("-flicker ", IntText(Flicker), " "));
  SetIf(Mouse != 1, 26, "-nomouse ");
  SetIf(GameArtwork != 1, 27, "-noart ");
  SetIf(GameCheats != 0, 28, "-c ");
  SetIf(Brightness != 1.0, 30, Joined("-fsb ", TwoDecimalsText(Brightness, separator), " "));
  SetIf(Gamma != 1.0, 31, Joined("-gamma ", TwoDecimalsText(Gamma, separator), " "));
  SetIf(AutoSwitchRes != 1, 32, "-noswitchres ");
  SetIf(AutoSwitchDepth != 1, 33, "-noswitchbpp ");
  SetIf(UseGameRefresh != 0, 34, "-matchrefresh ");
  SetIf(UseScreenRefresh != 0, 35, "-syncrefresh ");
  SetIf(FramesToRun != 0, 36, Joined("-ftr ", IntText(FramesToRun), " "));
  SetIf(KeepScreenAspect != 1, 37, "-noka ");
  SetIf(SteadyKey != 0, 38, "-steadykey ");
  SetIf(!(RomPaths == "roms"), 39, Joined("-rp ", RomPaths, " "));
  SetIf(Verbose != 0, 40, "-verbose ");

  // Each argument and one blank; what passes 255 characters is dropped.
  for (int slot = 1; slot <= MaxArgSlots; ++slot) {
    if (slot == DepthSlot || ArgSlots[slot].Empty()) continue;
    CommandOptions += ArgSlots[slot];
    CommandOptions += ' ';
  }
}

void BuildCommandOptions() { BuildCommandOptionsWith(DecimalSeparator()); }

}  // namespace zeb
