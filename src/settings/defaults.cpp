// The table of the settings lines and the defaults.

#include "settings/settings.h"

namespace zeb {

namespace {

constexpr SettingsLine Stored(const char* field, int32_t GameTable::* value) {
  return {.Field = field, .Kind = SettingKind::Integer, .StoredInteger = value};
}
constexpr SettingsLine Stored(const char* field, ShortString GameTable::* value) {
  return {.Field = field, .Kind = SettingKind::Text, .StoredText = value};
}
constexpr SettingsLine Line(const char* field, int32_t Settings::* value, int32_t initial) {
  return {.Field = field, .Kind = SettingKind::Integer, .Integer = value, .HasDefault = true,
          .Default = static_cast<double>(initial)};
}
constexpr SettingsLine Line(const char* field, double Settings::* value, double initial) {
  return {.Field = field, .Kind = SettingKind::Real, .Real = value, .HasDefault = true, .Default = initial};
}
constexpr SettingsLine Line(const char* field, ShortString Settings::* value, const char* initial) {
  return {.Field = field, .Kind = SettingKind::Text, .Text = value, .HasDefault = true, .DefaultText = initial};
}

}  // namespace

#define ZEB_STORED_LINE(kind, field) Stored(#field, &GameTable::field),
#define ZEB_SETTING_LINE(kind, field, value) Line(#field, &Settings::field, value),
constinit const SettingsLine SettingsLines[SettingsLineCount] = {
    ZEB_SETTINGS_LINES(ZEB_STORED_LINE, ZEB_SETTING_LINE)
};
#undef ZEB_SETTING_LINE
#undef ZEB_STORED_LINE

static_assert(sizeof SettingsLines / sizeof SettingsLines[0] == SettingsLineCount);

void SetDefaultSettings(Settings& settings, OptionCaptions& captions) {
  for (const SettingsLine& line : SettingsLines) {
    if (!line.HasDefault) continue;
    switch (line.Kind) {
      case SettingKind::Integer: settings.*line.Integer = static_cast<int32_t>(line.Default); break;
      case SettingKind::Real: settings.*line.Real = line.Default; break;
      case SettingKind::Text: settings.*line.Text = line.DefaultText; break;
    }
  }
  UpdateCaptions(captions, settings);
}

}  // namespace zeb
