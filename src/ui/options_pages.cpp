// The contents of the four option pages and the tabs.

#include "storage/state.h"
#include "settings/settings.h"
#include "ui/options_items.h"

namespace zeb {

namespace {

constexpr int SwitchWidth = 6;
constexpr int FieldColumn = 22;
constexpr int FieldLastClickColumn = 57;

constexpr OptionItem Label(int page, const char* text, int column, int row) {
  return OptionItem{.Page = page, .Caption = text, .CaptionColumn = column, .Row = row,
                    .Kind = OptionWidget::Label, .Column = column};
}

// A switch is hit on its six columns.
constexpr OptionItem Switch(int page, const char* caption, int captionColumn, int row, int column, int32_t* setting,
                            int32_t* clears = nullptr) {
  return OptionItem{.Page = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::Switch, .Column = column, .Whole = setting,
                    .Left = column, .Right = column + SwitchWidth - 1, .Clears = clears};
}

// A spinner's "-" stands on its first column and its "+" at column + width + 3.
constexpr OptionItem WholeSpinner(int page, const char* caption, int captionColumn, int row, int column,
                                  int32_t* setting, int width, double low, double high, double step, OptionReach reach,
                                  bool refreshesCaptions = false) {
  return OptionItem{.Page = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::WholeSpinner, .Column = column, .Whole = setting,
                    .Low = low, .High = high, .Step = step, .Width = width,
                    .Left = column, .Right = column + width + 3, .Reach = reach,
                    .RefreshesCaptions = refreshesCaptions};
}

constexpr OptionItem RealSpinner(int page, const char* caption, int captionColumn, int row, int column,
                                 double* setting, int width, double low, double high, double step) {
  return OptionItem{.Page = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::RealSpinner, .Column = column, .Real = setting,
                    .Low = low, .High = high, .Step = step, .Width = width,
                    .Left = column, .Right = column + width + 3, .Reach = OptionReach::Row};
}

// A selector's right triangle stands at column + caption width + 3.
constexpr OptionItem Selector(int page, const char* caption, int captionColumn, int row, int column,
                              int32_t* setting, const ShortString* shown, int captionWidth, double last,
                              OptionReach reach) {
  return OptionItem{.Page = page, .Caption = caption, .CaptionColumn = captionColumn, .Row = row,
                    .Kind = OptionWidget::Selector, .Column = column, .Whole = setting, .Shown = shown,
                    .Low = 0, .High = last, .Step = 1,
                    .Left = column, .Right = column + captionWidth + 3, .Reach = reach,
                    .RefreshesCaptions = true};
}

constexpr OptionItem TextField(const char* caption, int row, ShortString* setting) {
  return OptionItem{.Page = 1, .Caption = caption, .CaptionColumn = 4, .Row = row,
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
    TextField("Mame Path:", 7, &MamePath),
    TextField("Roms Paths:", 10, &RomPaths),
    Label(1, PathsNote, 4, 12),
    TextField("Sample Path:", 16, &SamplePaths),
    Label(1, PathsNote, 4, 18),
    TextField("Executable Name:", 22, &ExeName),

    // Page 2, Display.
    Switch(2, "Auto Frameskip", 4, 7, 22, &AutoFrameskip),
    WholeSpinner(2, "Skip # Frames", 4, 9, 22, &FramesToSkip, 2, 0, 11, 1, Columns),
    Switch(2, "Vertical Sync", 4, 11, 22, &VerticalSync),
    Switch(2, "Triple Buffer", 4, 13, 22, &TripleBuffer),
    Switch(2, "Windowed Display", 4, 15, 22, &WindowedDisplay),
    Switch(2, "Maximize Window", 4, 17, 22, &MaximizeWindow),
    Switch(2, "Scanlines", 4, 19, 22, &Scanlines, &WindowedDisplay),
    Switch(2, "Throttle", 4, 21, 22, &Throttle),
    Switch(2, "Rotate Right", 30, 7, 48, &RotateRight),
    Switch(2, "Rotate Left", 30, 9, 48, &RotateLeft),
    Switch(2, "Flip Screen L-R", 30, 11, 48, &FlipScreenLR),
    Switch(2, "Flip Screen U-D", 30, 13, 48, &FlipScreenUD),
    Selector(2, "Resolution", 30, 15, 48, &Resolution, &ResolutionCaption, 8, 11, Row),
    Selector(2, "Screen Depth", 30, 17, 48, &ScreenDepth, &DepthCaption, 6, 3, Row),
    Selector(2, "Screen Effect", 30, 19, 48, &ScreenEffect, &EffectCaption, 6, 7, Row),
    Switch(2, "Hardware Stretch", 30, 21, 48, &HardwareStretch),

    // Page 3, Sound/Vector.
    Label(3, "SOUND MENU", 4, 7),
    Label(3, "==========", 4, 8),
    Label(3, "VECTOR MENU", 34, 7),
    Label(3, "===========", 34, 8),
    Selector(3, "Sample Rate", 4, 10, 22, &SampleRate, &SampleRateCaption, 5, 2, Triangles),
    Switch(3, "Samples", 4, 12, 22, &Samples),
    Switch(3, "Resample Filter", 4, 14, 22, &ResampleFilter),
    Switch(3, "Sound", 4, 16, 22, &Sound),
    WholeSpinner(3, "Volume", 4, 18, 22, &Volume, 3, -32, 0, 1, Row, true),
    Switch(3, "Anti Alias", 34, 10, 50, &AntiAlias),
    Switch(3, "Translucency", 34, 12, 50, &Translucency),
    RealSpinner(3, "Beam Width", 34, 14, 50, &BeamWidth, 5, 1.0, 16.0, 0.25),
    WholeSpinner(3, "Flicker", 34, 16, 50, &Flicker, 3, 0, 100, 5, Row),

    // Page 4, Other.
    Label(4, "CONTROLLERS", 4, 7),
    Label(4, "===========", 4, 8),
    Label(4, "EXTRA OPTIONS", 4, 16),
    Label(4, "=============", 4, 17),
    Selector(4, "Joystick Type", 4, 10, 19, &JoystickType, &JoystickCaption, 8, 3, Row),
    Switch(4, "Mouse", 4, 12, 22, &Mouse),
    Switch(4, "SteadyKey", 4, 14, 22, &SteadyKey),
    Switch(4, "Game Artwork", 4, 18, 22, &GameArtwork),
    Switch(4, "Game Cheats", 4, 20, 22, &GameCheats),
    Switch(4, "Pause After Mame", 4, 22, 22, &PauseAfterMame),
    RealSpinner(4, "Brightness", 33, 7, 52, &Brightness, 4, 0.1, 2.0, 0.1),
    RealSpinner(4, "Gamma", 33, 9, 52, &Gamma, 4, 0.5, 2.0, 0.1),
    Switch(4, "Auto Switch Res", 33, 11, 54, &AutoSwitchRes),
    Switch(4, "Auto Switch Depth", 33, 13, 54, &AutoSwitchDepth),
    Switch(4, "Keep Screen Aspect", 33, 15, 54, &KeepScreenAspect),
    Switch(4, "Use Game Refresh", 33, 17, 54, &UseGameRefresh),
    Switch(4, "Use Screen Refresh", 33, 19, 54, &UseScreenRefresh),
    WholeSpinner(4, "Frames To Run", 33, 21, 52, &FramesToRun, 4, 0, 5000, 100, Row),
    Switch(4, "Verbose", 33, 23, 54, &Verbose),
};

const int OptionItemCount = static_cast<int>(sizeof OptionItems / sizeof OptionItems[0]);

constinit const OptionTab OptionTabs[] = {
    {1, "Paths", 3, 3, 7},
    {2, "Display", 9, 9, 15},
    {3, "Sound/Vector", 17, 17, 28},
    {4, "Other", 30, 30, 34},
    {6, "About", 57, 56, 61},
};

const int OptionTabCount = static_cast<int>(sizeof OptionTabs / sizeof OptionTabs[0]);

}  // namespace zeb
