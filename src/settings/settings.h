#pragma once
// The settings record (see core/state.h for its fields), its defaults, the
// settings file zeb.ini that also stores the whole game table, and the
// captions of the enumerated options.

namespace zeb {

constexpr const char* SettingsFileName = "zeb.ini";

// Every field except GameCount and MameVersion to its default; ListFilter to
// 1; then the captions.
void SetDefaultSettings();
// Writes zeb.ini: 46 lines of settings, then six lines per game.
void SaveSettings();
// Reads zeb.ini into the settings and the game table; nothing when missing.
void LoadSettings();
// Sets the six captions from PanelScreen and the five enumerated options.
void UpdateCaptions();

}  // namespace zeb
