#pragma once
// The process-wide tables and state variables. They exist, zero-filled, for
// the whole run; nothing here is allocated while the program runs.

#include <cstdint>

#include "core/fixed_table.h"
#include "core/short_string.h"

namespace zeb {

constexpr int MaxGames = 4000;
constexpr int MaxViewEntries = 5000;
constexpr int MaxViewerLines = 5000;
constexpr int MaxArgSlots = 50;

// One game that the emulator knows. The settings file stores the six fields
// in this order and addresses them by field number 1 to 6.
struct GameRecord {
  ShortString DriverName;
  ShortString Description;
  ShortString CloneOf;
  ShortString Category;
  ShortString Available;
  ShortString CheatCount;
};

// One row of the games list as filtered.
struct ViewEntry {
  ShortString DisplayLine;
  ShortString GameNumber;
  ShortString CloneMark;
};

extern FixedTable<GameRecord, MaxGames> Games;
extern FixedTable<ViewEntry, MaxViewEntries> ViewList;
extern FixedTable<ShortString, MaxViewerLines> ViewerLines;
extern FixedTable<ShortString, MaxArgSlots> ArgSlots;
extern ShortString CommandOptions;

extern ShortString ProgramVersion;
extern ShortString MameVersion;
extern int32_t GameCount;
extern int32_t AvailableCount;
extern int32_t EntryCount;
extern int32_t CurrentScreen;
extern int32_t PanelScreen;
extern int32_t OptionsPage;
extern int32_t ListFilter;
extern int32_t SelectedGame;
extern int32_t SelectedEntry;
extern int32_t TopLine;
extern int32_t ColumnOffset;
extern int32_t FileLoaded;
extern int32_t QuitRequested;
extern unsigned char LastKey;
extern ShortString ListHeader;
extern ShortString WorkLine;
extern ShortString WorkName;

// The settings record, field by field in the order of the settings file.
extern ShortString MamePath;
extern ShortString RomPaths;
extern ShortString SamplePaths;
extern ShortString ExeName;
extern int32_t AutoFrameskip;
extern int32_t FramesToSkip;
extern int32_t VerticalSync;
extern int32_t TripleBuffer;
extern int32_t WindowedDisplay;
extern int32_t MaximizeWindow;
extern int32_t HardwareStretch;
extern int32_t Scanlines;
extern int32_t Throttle;
extern int32_t RotateRight;
extern int32_t RotateLeft;
extern int32_t FlipScreenLR;
extern int32_t FlipScreenUD;
extern int32_t Verbose;
extern int32_t SampleRate;
extern int32_t Samples;
extern int32_t ResampleFilter;
extern int32_t Sound;
extern int32_t Volume;
extern int32_t Resolution;
extern int32_t ScreenEffect;
extern int32_t AutoSwitchRes;
extern int32_t AutoSwitchDepth;
extern int32_t KeepScreenAspect;
extern int32_t UseGameRefresh;
extern int32_t UseScreenRefresh;
extern int32_t FramesToRun;
extern int32_t AntiAlias;
extern int32_t JoystickType;
extern int32_t ScreenDepth;
extern double Brightness;
extern double Gamma;
extern int32_t Translucency;
extern double BeamWidth;
extern int32_t Flicker;
extern int32_t Mouse;
extern int32_t GameArtwork;
extern int32_t GameCheats;
extern int32_t PauseAfterMame;
extern int32_t SteadyKey;

// Display captions of the screen and of the enumerated options.
extern ShortString ScreenCaption;
extern ShortString JoystickCaption;
extern ShortString DepthCaption;
extern ShortString SampleRateCaption;
extern ShortString EffectCaption;
extern ShortString ResolutionCaption;

// Back to the zero state of program start: every table empty, every counter
// 0, every text empty. Tests call it to start from a clean slate.
void ResetProgramState();

// The start values that the program sets before it loads anything.
void SetStartValues();

// The game number of view entry `entry`: its GameNumber read as a decimal
// number (0 when it holds none).
int32_t GameNumberOf(int entry);

// Field 1 to 6 of game `game`, in the order of GameRecord.
ShortString& GameField(int game, int field);

// Decimal text of an integer, and the value of a decimal text (an optional
// "-" and digits; 0 for anything else).
ShortString IntText(long long value);
int32_t TextToInt(std::string_view text);

}  // namespace zeb
