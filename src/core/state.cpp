#include "core/state.h"

#include <charconv>

namespace zeb {

FixedTable<GameRecord, MaxGames> Games;
FixedTable<ViewEntry, MaxViewEntries> ViewList;
FixedTable<ShortString, MaxViewerLines> ViewerLines;
FixedTable<ShortString, MaxArgSlots> ArgSlots;
ShortString CommandOptions;

ShortString ProgramVersion;
ShortString MameVersion;
int32_t GameCount;
int32_t AvailableCount;
int32_t EntryCount;
int32_t CurrentScreen;
int32_t PanelScreen;
int32_t OptionsPage;
int32_t ListFilter;
int32_t SelectedGame;
int32_t SelectedEntry;
int32_t TopLine;
int32_t ColumnOffset;
int32_t FileLoaded;
int32_t QuitRequested;
unsigned char LastKey;
ShortString ListHeader;
ShortString WorkLine;
ShortString WorkName;

ShortString MamePath;
ShortString RomPaths;
ShortString SamplePaths;
ShortString ExeName;
int32_t AutoFrameskip;
int32_t FramesToSkip;
int32_t VerticalSync;
int32_t TripleBuffer;
int32_t WindowedDisplay;
int32_t MaximizeWindow;
int32_t HardwareStretch;
int32_t Scanlines;
int32_t Throttle;
int32_t RotateRight;
int32_t RotateLeft;
int32_t FlipScreenLR;
int32_t FlipScreenUD;
int32_t Verbose;
int32_t SampleRate;
int32_t Samples;
int32_t ResampleFilter;
int32_t Sound;
int32_t Volume;
int32_t Resolution;
int32_t ScreenEffect;
int32_t AutoSwitchRes;
int32_t AutoSwitchDepth;
int32_t KeepScreenAspect;
int32_t UseGameRefresh;
int32_t UseScreenRefresh;
int32_t FramesToRun;
int32_t AntiAlias;
int32_t JoystickType;
int32_t ScreenDepth;
double Brightness;
double Gamma;
int32_t Translucency;
double BeamWidth;
int32_t Flicker;
int32_t Mouse;
int32_t GameArtwork;
int32_t GameCheats;
int32_t PauseAfterMame;
int32_t SteadyKey;

ShortString ScreenCaption;
ShortString JoystickCaption;
ShortString DepthCaption;
ShortString SampleRateCaption;
ShortString EffectCaption;
ShortString ResolutionCaption;

void ResetProgramState() {
  Games.Fill(GameRecord{});
  ViewList.Fill(ViewEntry{});
  ViewerLines.Fill(ShortString{});
  ArgSlots.Fill(ShortString{});
  CommandOptions.Clear();

  ProgramVersion.Clear();
  MameVersion.Clear();
  GameCount = AvailableCount = EntryCount = 0;
  CurrentScreen = PanelScreen = OptionsPage = ListFilter = 0;
  SelectedGame = SelectedEntry = TopLine = ColumnOffset = 0;
  FileLoaded = QuitRequested = 0;
  LastKey = 0;
  ListHeader.Clear();
  WorkLine.Clear();
  WorkName.Clear();

  for (ShortString* s : {&MamePath, &RomPaths, &SamplePaths, &ExeName}) s->Clear();
  for (int32_t* v : {&AutoFrameskip, &FramesToSkip, &VerticalSync, &TripleBuffer, &WindowedDisplay,
                     &MaximizeWindow, &HardwareStretch, &Scanlines, &Throttle, &RotateRight, &RotateLeft,
                     &FlipScreenLR, &FlipScreenUD, &Verbose, &SampleRate, &Samples, &ResampleFilter, &Sound,
                     &Volume, &Resolution, &ScreenEffect, &AutoSwitchRes, &AutoSwitchDepth, &KeepScreenAspect,
                     &UseGameRefresh, &UseScreenRefresh, &FramesToRun, &AntiAlias, &JoystickType, &ScreenDepth,
                     &Translucency, &Flicker, &Mouse, &GameArtwork, &GameCheats, &PauseAfterMame, &SteadyKey}) {
    *v = 0;
  }
  Brightness = Gamma = BeamWidth = 0.0;
  for (ShortString* s : {&ScreenCaption, &JoystickCaption, &DepthCaption, &SampleRateCaption, &EffectCaption,
                         &ResolutionCaption}) {
    s->Clear();
  }
}

void SetStartValues() {
  ProgramVersion = "v1.1";
  TopLine = 0;
  ColumnOffset = 0;
  SelectedEntry = 1;
  OptionsPage = 0;
  CurrentScreen = 0;
  ListFilter = 1;
  AvailableCount = 0;
  FileLoaded = 0;
  SelectedGame = 1;
  MameVersion = "None Loaded";
}

int32_t GameNumberOf(int entry) { return TextToInt(ViewList[entry].GameNumber); }

ShortString& GameField(int game, int field) {
  GameRecord& g = Games[game];
  switch (field) {
    case 1: return g.DriverName;
    case 2: return g.Description;
    case 3: return g.CloneOf;
    case 4: return g.Category;
    case 5: return g.Available;
    case 6: return g.CheatCount;
    default: FatalTableIndex(field, 6);
  }
}

ShortString IntText(long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ShortString(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

int32_t TextToInt(std::string_view text) {
  int32_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return 0;
  return value;
}

}  // namespace zeb
