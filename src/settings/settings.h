#pragma once
// The settings record, its defaults, the settings file zeb.ini that also
// stores the whole game table, and the captions of the enumerated options.

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/short_string.h"
#include "settings/game_table.h"

namespace zeb {

constexpr const char* SettingsFileName = "zeb.ini";

// The 46 lines of settings at the head of zeb.ini, in the order of the file,
// one row each: a Setting row is a field of the settings record with its
// kind and default; a Stored row is program state that the file keeps too
// (the game count and the emulator's version) and the defaults leave alone.
// Adding a setting is adding its row here. The kinds: Integer (a decimal
// number), Real (written in exponent form) and Text (the line itself).
#define ZEB_SETTINGS_LINES(Stored, Setting)   \
  Stored(Integer, GameCount)                  \
  Setting(Text, MamePath, "")                 \
  Setting(Text, RomPaths, "roms")             \
  Setting(Text, SamplePaths, "samples")       \
  Setting(Text, ExeName, "mame.exe")          \
  Setting(Integer, AutoFrameskip, 1)          \
  Setting(Integer, FramesToSkip, 0)           \
  Setting(Integer, VerticalSync, 0)           \
  Setting(Integer, TripleBuffer, 0)           \
  Setting(Integer, WindowedDisplay, 1)        \
  Setting(Integer, MaximizeWindow, 1)         \
  Setting(Integer, HardwareStretch, 1)        \
  Setting(Integer, Scanlines, 0)              \
  Setting(Integer, Throttle, 1)               \
  Setting(Integer, RotateRight, 0)            \
  Setting(Integer, RotateLeft, 0)             \
  Setting(Integer, FlipScreenLR, 0)           \
  Setting(Integer, FlipScreenUD, 0)           \
  Setting(Integer, Verbose, 0)                \
  Setting(Integer, SampleRate, 2)             \
  Setting(Integer, Samples, 1)                \
  Setting(Integer, ResampleFilter, 1)         \
  Setting(Integer, Sound, 1)                  \
  Setting(Integer, Volume, 0)                 \
  Setting(Integer, Resolution, 0)             \
  Setting(Integer, ScreenEffect, 0)           \
  Setting(Integer, AutoSwitchRes, 1)          \
  Setting(Integer, AutoSwitchDepth, 1)        \
  Setting(Integer, KeepScreenAspect, 1)       \
  Setting(Integer, UseGameRefresh, 0)         \
  Setting(Integer, UseScreenRefresh, 0)       \
  Setting(Integer, FramesToRun, 0)            \
  Setting(Integer, AntiAlias, 1)              \
  Setting(Integer, JoystickType, 1)           \
  Setting(Integer, ScreenDepth, 0)            \
  Setting(Real, Brightness, 1.0)              \
  Setting(Real, Gamma, 1.0)                   \
  Setting(Integer, Translucency, 1)           \
  Setting(Real, BeamWidth, 1.0)               \
  Setting(Integer, Flicker, 0)                \
  Setting(Integer, Mouse, 1)                  \
  Setting(Integer, GameArtwork, 1)            \
  Setting(Integer, GameCheats, 1)             \
  Setting(Integer, PauseAfterMame, 1)         \
  Setting(Integer, SteadyKey, 0)              \
  Stored(Text, MameVersion)

// The variable type of each kind.
using IntegerSetting = int32_t;
using RealSetting = double;
using TextSetting = ShortString;

// The settings record: the four paths and the forty options. Its fields
// start at 0 or empty; they get values from SetDefaultSettings or
// LoadSettings.
struct Settings {
#define ZEB_STORED_ELSEWHERE(kind, field)
#define ZEB_SETTING_FIELD(kind, field, value) kind##Setting field{};
  ZEB_SETTINGS_LINES(ZEB_STORED_ELSEWHERE, ZEB_SETTING_FIELD)
#undef ZEB_SETTING_FIELD
#undef ZEB_STORED_ELSEWHERE
};

enum class SettingKind : unsigned char { Integer, Real, Text };

// One line of the table above, as the settings code reads it: a field of
// the settings record (a Setting row) or of the game table (a Stored row).
// Exactly one of the member pointers is set, after the kind and the record.
struct SettingsLine {
  const char* Field;
  SettingKind Kind;
  int32_t Settings::* Integer = nullptr;
  double Settings::* Real = nullptr;
  ShortString Settings::* Text = nullptr;
  int32_t GameTable::* StoredInteger = nullptr;
  ShortString GameTable::* StoredText = nullptr;
  bool HasDefault = false;         // false for a Stored row
  double Default = 0;              // of an integer or real setting
  const char* DefaultText = "";    // of a text setting
};

constexpr int SettingsLineCount = 46;
extern const SettingsLine SettingsLines[SettingsLineCount];

// The captions of the enumerated options, as the options screen shows them.
struct OptionCaptions {
  ShortString JoystickCaption;
  ShortString DepthCaption;
  ShortString SampleRateCaption;
  ShortString EffectCaption;
  ShortString ResolutionCaption;
};

// Every field to its default, then the captions. The game table (with its
// count and the emulator's version) is not touched.
void SetDefaultSettings(Settings& settings, OptionCaptions& captions);
// Writes zeb.ini: 46 lines of settings, then six lines per game.
void SaveSettings(const Settings& settings, const GameTable& table);
// Reads zeb.ini into the settings and the game table; nothing when missing.
void LoadSettings(Settings& settings, GameTable& table);
// The emulator's version as zeb.ini keeps it (its last settings line), read
// without loading the file: nothing in the file can end the program.
struct StoredVersion {
  enum class Outcome : unsigned char { Found, NotARegularFile, CannotRead, TooShort, Empty };
  Outcome Result = Outcome::Found;
  std::string Text;  // Found: the version (at most 255 bytes)
  int Lines = 0;     // TooShort: the lines the file has
  int Error = 0;     // CannotRead: the system's error number
};
StoredVersion ReadStoredVersion();

// Sets the captions from the five enumerated options. A value without a
// caption leaves its caption as it was.
void UpdateCaptions(OptionCaptions& captions, const Settings& settings);
// The caption of a screen (0 games list, 1 options, 2 file viewer) in the
// panel's title; empty for any other number.
std::string_view ScreenCaption(int screen);

}  // namespace zeb
