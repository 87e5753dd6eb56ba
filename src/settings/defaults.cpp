// The settings record: its fields, the table of the settings lines, the
// zero state and the defaults.

#include "settings/settings.h"

namespace zeb {

#define ZEB_STORED_ELSEWHERE(kind, field)
#define ZEB_DEFINE_SETTING(kind, field, value) kind##Setting field;
ZEB_SETTINGS_LINES(ZEB_STORED_ELSEWHERE, ZEB_DEFINE_SETTING)
#undef ZEB_DEFINE_SETTING
#undef ZEB_STORED_ELSEWHERE

namespace {

constexpr SettingsLine Line(const char* field, int32_t* value) {
  return {.Field = field, .Kind = SettingKind::Integer, .Integer = value};
}
constexpr SettingsLine Line(const char* field, ShortString* value) {
  return {.Field = field, .Kind = SettingKind::Text, .Text = value};
}
constexpr SettingsLine Line(const char* field, int32_t* value, int32_t initial) {
  return {.Field = field, .Kind = SettingKind::Integer, .Integer = value, .HasDefault = true,
          .Default = static_cast<double>(initial)};
}
constexpr SettingsLine Line(const char* field, double* value, double initial) {
  return {.Field = field, .Kind = SettingKind::Real, .Real = value, .HasDefault = true, .Default = initial};
}
constexpr SettingsLine Line(const char* field, ShortString* value, const char* initial) {
  return {.Field = field, .Kind = SettingKind::Text, .Text = value, .HasDefault = true, .DefaultText = initial};
}

}  // namespace

#define ZEB_STORED_LINE(kind, field) Line(#field, &field),
#define ZEB_SETTING_LINE(kind, field, value) Line(#field, &field, value),
constinit const SettingsLine SettingsLines[SettingsLineCount] = {
    ZEB_SETTINGS_LINES(ZEB_STORED_LINE, ZEB_SETTING_LINE)
};
#undef ZEB_SETTING_LINE
#undef ZEB_STORED_LINE

static_assert(sizeof SettingsLines / sizeof SettingsLines[0] == SettingsLineCount);

void ResetSettings() {
  for (const SettingsLine& line : SettingsLines) {
    if (!line.HasDefault) continue;
    switch (line.Kind) {
      case SettingKind::Integer: *line.Integer = 0; break;
      case SettingKind::Real: *line.Real = 0.0; break;
      case SettingKind::Text: line.Text->Clear(); break;
    }
  }
  for (ShortString* caption : {&ScreenCaption, &JoystickCaption, &DepthCaption, &SampleRateCaption, &EffectCaption,
                               &ResolutionCaption}) {
    caption->Clear();
  }
}

void SetDefaultSettings() {
  for (const SettingsLine& line : SettingsLines) {
    if (!line.HasDefault) continue;
    switch (line.Kind) {
      case SettingKind::Integer: *line.Integer = static_cast<int32_t>(line.Default); break;
      case SettingKind::Real: *line.Real = line.Default; break;
      case SettingKind::Text: *line.Text = line.DefaultText; break;
    }
  }
  ListFilter = 1;
  UpdateCaptions();
}

}  // namespace zeb
