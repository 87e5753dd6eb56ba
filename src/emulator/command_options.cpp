// The emulator's options, built from the settings record: one argument slot
// per option with its words, joined in slot order into CommandOptions.

#include <charconv>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "emulator/launch.h"
#include "storage/numbers.h"

namespace zeb {

namespace {

// Slot numbers whose order is the order of the arguments on the command line.
constexpr int ResolutionSlot = 19;
constexpr int DepthSlot = 29;  // holds the resolution's depth suffix; never joined itself

constexpr char ResolutionSizes[][9] = {
    "320x200", "320x240", "400x300", "512x384", "640x400", "640x480",
    "720x480", "720x576", "800x600", "960x720", "1024x768",
};

constexpr char ScreenEffects[][16] = {
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

}  // namespace

void BuildCommandOptions(const Settings& settings, char separator, const KnownOptions& known,
                         CommandLineSlots& slots) {
  FixedTable<SlotWords, MaxArgSlots>& ArgSlots = slots.ArgSlots;
  std::vector<CommandWord>& CommandOptions = slots.CommandOptions;
  const auto SetIf = [&ArgSlots](bool condition, int slot, std::string_view text) {
    if (condition) ArgSlots[slot] = SlotWordsOf(text);
  };
  CommandOptions.clear();
  slots.LeftOut.clear();
  for (int slot = 1; slot <= MaxArgSlots; ++slot) ArgSlots[slot].clear();

  SetIf(settings.AutoFrameskip != 1, 1, "-noafs ");
  SetIf(settings.FramesToSkip != 0, 2, Joined("-fs ", IntText(settings.FramesToSkip), " "));
  SetIf(settings.VerticalSync != 0, 3, "-waitvsync ");
  SetIf(settings.TripleBuffer != 0, 4, "-tb ");
  SetIf(settings.WindowedDisplay != 0, 5, "-w ");
  SetIf(settings.MaximizeWindow != 1, 6, "-nomax ");
  SetIf(settings.HardwareStretch != 1, 7, "-nohws ");
  SetIf(settings.Scanlines != 0, 8, "-sl ");
  SetIf(settings.Throttle != 1, 9, "-nothrottle ");
  SetIf(settings.RotateRight != 0, 10, "-ror ");
  SetIf(settings.RotateLeft != 0, 11, "-rol ");
  SetIf(settings.FlipScreenLR != 0, 12, "-flipx ");
  SetIf(settings.FlipScreenUD != 0, 13, "-flipy ");
  SetIf(settings.SampleRate == 0, 14, "-sr 11025 ");
  SetIf(settings.SampleRate == 1, 14, "-sr 22050 ");
  SetIf(settings.Samples != 1, 15, "-nosamples ");
  SetIf(settings.ResampleFilter != 1, 16, "-noresamplefilter ");
  SetIf(settings.Sound != 1, 17, "-nosound ");
  SetIf(settings.Volume != 0, 18, Joined("-vol ", IntText(settings.Volume), " "));

  SetIf(settings.ScreenDepth == 1, DepthSlot, "x8 ");
  SetIf(settings.ScreenDepth == 2, DepthSlot, "x16 ");
  SetIf(settings.ScreenDepth == 3, DepthSlot, "x32 ");
  // The suffix ends the resolution's size, in one word with it.
  const std::string depth = CommandWordsText(ArgSlots[DepthSlot]);

  if (settings.Resolution == 0) {
    SetIf(settings.ScreenDepth != 0, ResolutionSlot, Joined("-resolution 0x0", depth));
  } else if (settings.Resolution >= 1 && settings.Resolution <= 11) {
    SetIf(true, ResolutionSlot, Joined("-resolution ", ResolutionSizes[settings.Resolution - 1], depth));
  }

  const bool effect = settings.ScreenEffect >= 1 && settings.ScreenEffect <= 7;
  if (effect) SetIf(true, 20, ScreenEffects[settings.ScreenEffect - 1]);
  SetIf(settings.AntiAlias != 1, 21, "-noaa ");
  SetIf(settings.JoystickType == 0, 22, "-nojoy ");
  SetIf(settings.JoystickType == 2, 22, "-hotrod ");
  SetIf(settings.JoystickType == 3, 22, "-hotrodse ");
  SetIf(settings.Translucency != 1, 23, "-notl ");
  SetIf(settings.BeamWidth != 1.0, 24, Joined("-beam ", GeneralText(settings.BeamWidth, separator), " "));
  SetIf(settings.Flicker != 0, 25, Joined("-flicker ", IntText(settings.Flicker), " "));
  SetIf(settings.Mouse != 1, 26, "-nomouse ");
  SetIf(settings.GameArtwork != 1, 27, "-noart ");
  SetIf(settings.GameCheats != 0, 28, "-c ");
  SetIf(settings.Brightness != 1.0, 30, Joined("-fsb ", TwoDecimalsText(settings.Brightness, separator), " "));
  SetIf(settings.Gamma != 1.0, 31, Joined("-gamma ", TwoDecimalsText(settings.Gamma, separator), " "));
  SetIf(settings.AutoSwitchRes != 1, 32, "-noswitchres ");
  SetIf(settings.AutoSwitchDepth != 1, 33, "-noswitchbpp ");
  SetIf(settings.UseGameRefresh != 0, 34, "-matchrefresh ");
  SetIf(settings.UseScreenRefresh != 0, 35, "-syncrefresh ");
  SetIf(settings.FramesToRun != 0, 36, Joined("-ftr ", IntText(settings.FramesToRun), " "));
  SetIf(settings.KeepScreenAspect != 1, 37, "-noka ");
  SetIf(settings.SteadyKey != 0, 38, "-steadykey ");
  // An emulator that says what it knows looks for ROMs where it is told, so
  // it is always told where the scan looked. The directories are the user's
  // text: one word, blanks and all.
  if (known.Trusted || !(settings.RomPaths == "roms")) {
    ArgSlots[39] = SlotWords{CommandWord{"-rp", 1}, CommandWord{settings.RomPaths.Str(), 1}};
  }
  SetIf(settings.Verbose != 0, 40, "-verbose ");

  if (known.Trusted) {
    // Each filled slot as today's emulator takes it: as it is, in its
    // other name, or left out.
    std::vector<int> filled;
    std::vector<SlotWords> words;
    for (int slot = 1; slot <= MaxArgSlots; ++slot) {
      if (slot == DepthSlot || ArgSlots[slot].empty()) continue;
      filled.push_back(slot);
      words.push_back(ArgSlots[slot]);
    }
    AdaptedArguments adapted = AdaptToKnownOptions(words, known);
    for (std::size_t i = 0; i < filled.size(); ++i) ArgSlots[filled[i]] = std::move(adapted.Slots[i]);
    slots.LeftOut = std::move(adapted.LeftOut);
  }

  // Each filled slot's words, and one blank more after them; every word is
  // kept, however long the command line gets.
  for (int slot = 1; slot <= MaxArgSlots; ++slot) {
    if (slot != DepthSlot) AppendSlot(ArgSlots[slot], CommandOptions);
  }
}

}  // namespace zeb
