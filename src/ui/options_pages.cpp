// The contents of the four option pages and the tabs.

#include "ui/options_items.h"

namespace zeb {

namespace {

constexpr int SwitchWidth = 6;
constexpr int FieldColumn = 22;
constexpr int FieldLastClickColumn = 57;

constexpr OptionItem Label(Page page, const char* text, int column, int row) {
  return OptionItem{.OnPage = page, .Caption = text, .CaptionColumn = column, .Row = row,
                    .Kind = OptionWidget::Label, .Column = column};
}

// A switch is hit on its six columns.
constexpr OptionItem Switch(Page page, const char* caption, int captionColumn, int row, int column, int32_t Settings::* setting,
                            int32_t Settings::* clears = nullptr) {
  return OptionItem{.OnPage = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::Switch, .Column = column, .Whole = setting,
                    .Left = column, .Right = column + SwitchWidth - 1, .Clears = clears};
}

// A spinner's "-" stands on its first column and its "+" at column + width + 3.
constexpr OptionItem WholeSpinner(Page page, const char* caption, int captionColumn, int row, int column,
                                  int32_t Settings::* setting, int width, double low, double high, double step, OptionReach reach,
                                  bool refreshesCaptions = false) {
  return OptionItem{.OnPage = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::WholeSpinner, .Column = column, .Whole = setting,
                    .Low = low, .High = high, .Step = step, .Width = width,
                    .Left = column, .Right = column + width + 3, .Reach = reach,
                    .RefreshesCaptions = refreshesCaptions};
}

constexpr OptionItem RealSpinner(Page page, const char* caption, int captionColumn, int row, int column,
                                 double Settings::* setting, int width, double low, double high, double step) {
  return OptionItem{.OnPage = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::RealSpinner, .Column = column, .Real = setting,
                    .Low = low, .High = high, .Step = step, .Width = width,
                    .Left = column, .Right = column + width + 3, .Reach = OptionReach::Row};
}

// A selector's right triangle stands at column + caption width + 3.
constexpr OptionItem Selector(Page page, const char* caption, int captionColumn, int row, int column,
                              int32_t Settings::* setting, ShortString OptionCaptions::* shown, int captionWidth, double last,
                              OptionReach reach) {
  return OptionItem{.OnPage = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::Selector, .Column = column, .Whole = setting, .Shown = shown,
                    .Low = 0, .High = last, .Step = 1,
                    .Left = column, .Right = column + captionWidth + 3, .Reach = reach,
                    .RefreshesCaptions = true};
}

constexpr OptionItem TextField(const char* caption, int row, ShortString Settings::* setting) {
  return OptionItem{.OnPage = Page::Paths, .Caption = caption, .CaptionColumn = 4, .Row = row,
                    .Kind = OptionWidget::TextField, .Column = FieldColumn, .Text = setting,
                    .Left = FieldColumn, .Right = FieldLastClickColumn};
}

constexpr const char* PathsNote = "To add extra directories use a \";\" as a separator";

constexpr OptionReach Columns = OptionReach::Columns;
constexpr OptionReach Row = OptionReach::Row;
constexpr OptionReach Triangles = OptionReach::Triangles;

}  // namespace

constinit const OptionItem OptionItems[] = {
    // Page 1, Paths.
    TextField("Mame Path:", 7, &Settings::MamePath),
    TextField("Roms Paths:", 10, &Settings::RomPaths),
    Label(Page::Paths, PathsNote, 4, 12),
    TextField("Sample Path:", 16, &Settings::SamplePaths),
    Label(Page::Paths, PathsNote, 4, 18),
    TextField("Executable Name:", 22, &Settings::ExeName),

    // Page 2, Display.
    Switch(Page::Display, "Auto Frameskip", 4, 7, 22, &Settings::AutoFrameskip),
    WholeSpinner(Page::Display, "Skip # Frames", 4, 9, 22, &Settings::FramesToSkip, 2, 0, 11, 1, Columns),
    Switch(Page::Display, "Vertical Sync", 4, 11, 22, &Settings::VerticalSync),
    Switch(Page::Display, "Triple Buffer", 4, 13, 22, &Settings::TripleBuffer),
    Switch(Page::Display, "Windowed Display", 4, 15, 22, &Settings::WindowedDisplay),
    Switch(Page::Display, "Maximize Window", 4, 17, 22, &Settings::MaximizeWindow),
    Switch(Page::Display, "Scanlines", 4, 19, 22, &Settings::Scanlines, &Settings::WindowedDisplay),
    Switch(Page::Display, "Throttle", 4, 21, 22, &Settings::Throttle),
    Switch(Page::Display, "Rotate Right", 30, 7, 48, &Settings::RotateRight),
    Switch(Page::Display, "Rotate Left", 30, 9, 48, &Settings::RotateLeft),
    Switch(Page::Display, "Flip Screen L-R", 30, 11, 48, &Settings::FlipScreenLR),
    Switch(Page::Display, "Flip Screen U-D", 30, 13, 48, &Settings::FlipScreenUD),
    Selector(Page::Display, "Resolution", 30, 15, 48, &Settings::Resolution, &OptionCaptions::ResolutionCaption, 8, 11, Row),
    Selector(Page::Display, "Screen Depth", 30, 17, 48, &Settings::ScreenDepth, &OptionCaptions::DepthCaption, 6, 3, Row),
    Selector(Page::Display, "Screen Effect", 30, 19, 48, &Settings::ScreenEffect, &OptionCaptions::EffectCaption, 6, 7, Row),
    Switch(Page::Display, "Hardware Stretch", 30, 21, 48, &Settings::HardwareStretch),

    // Page 3, Sound/Vector.
    Label(Page::SoundVector, "SOUND MENU", 4, 7),
    Label(Page::SoundVector, "==========", 4, 8),
    Label(Page::SoundVector, "VECTOR MENU", 34, 7),
    Label(Page::SoundVector, "===========", 34, 8),
    Selector(Page::SoundVector, "Sample Rate", 4, 10, 22, &Settings::SampleRate, &OptionCaptions::SampleRateCaption, 5, 2, Triangles),
    Switch(Page::SoundVector, "Samples", 4, 12, 22, &Settings::Samples),
    Switch(Page::SoundVector, "Resample Filter", 4, 14, 22, &Settings::ResampleFilter),
    Switch(Page::SoundVector, "Sound", 4, 16, 22, &Settings::Sound),
    WholeSpinner(Page::SoundVector, "Volume", 4, 18, 22, &Settings::Volume, 3, -32, 0, 1, Row, true),
    Switch(Page::SoundVector, "Anti Alias", 34, 10, 50, &Settings::AntiAlias),
    Switch(Page::SoundVector, "Translucency", 34, 12, 50, &Settings::Translucency),
    RealSpinner(Page::SoundVector, "Beam Width", 34, 14, 50, &Settings::BeamWidth, 5, 1.0, 16.0, 0.25),
    WholeSpinner(Page::SoundVector, "Flicker", 34, 16, 50, &Settings::Flicker, 3, 0, 100, 5, Row),

    // Page 4, Other.
    Label(Page::Other, "CONTROLLERS", 4, 7),
    Label(Page::Other, "===========", 4, 8),
    Label(Page::Other, "EXTRA OPTIONS", 4, 16),
    Label(Page::Other, "=============", 4, 17),
    Selector(Page::Other, "Joystick Type", 4, 10, 19, &Settings::JoystickType, &OptionCaptions::JoystickCaption, 8, 3, Row),
    Switch(Page::Other, "Mouse", 4, 12, 22, &Settings::Mouse),
    Switch(Page::Other, "SteadyKey", 4, 14, 22, &Settings::SteadyKey),
    Switch(Page::Other, "Game Artwork", 4, 18, 22, &Settings::GameArtwork),
    Switch(Page::Other, "Game Cheats", 4, 20, 22, &Settings::GameCheats),
    Switch(Page::Other, "Pause After Mame", 4, 22, 22, &Settings::PauseAfterMame),
    RealSpinner(Page::Other, "Brightness", 33, 7, 52, &Settings::Brightness, 4, 0.1, 2.0, 0.1),
    RealSpinner(Page::Other, "Gamma", 33, 9, 52, &Settings::Gamma, 4, 0.5, 2.0, 0.1),
    Switch(Page::Other, "Auto Switch Res", 33, 11, 54, &Settings::AutoSwitchRes),
    Switch(Page::Other, "Auto Switch Depth", 33, 13, 54, &Settings::AutoSwitchDepth),
    Switch(Page::Other, "Keep Screen Aspect", 33, 15, 54, &Settings::KeepScreenAspect),
    Switch(Page::Other, "Use Game Refresh", 33, 17, 54, &Settings::UseGameRefresh),
    Switch(Page::Other, "Use Screen Refresh", 33, 19, 54, &Settings::UseScreenRefresh),
    WholeSpinner(Page::Other, "Frames To Run", 33, 21, 52, &Settings::FramesToRun, 4, 0, 5000, 100, Row),
    Switch(Page::Other, "Verbose", 33, 23, 54, &Settings::Verbose),
};

const int OptionItemCount = static_cast<int>(sizeof OptionItems / sizeof OptionItems[0]);

constinit const OptionTab OptionTabs[] = {
    {Page::Paths, "Paths", 3, 3, 7},
    {Page::Display, "Display", 9, 9, 15},
    {Page::SoundVector, "Sound/Vector", 17, 17, 28},
    {Page::Other, "Other", 30, 30, 34},
    {Page::About, "About", 57, 56, 61},
};

const int OptionTabCount = static_cast<int>(sizeof OptionTabs / sizeof OptionTabs[0]);

}  // namespace zeb
