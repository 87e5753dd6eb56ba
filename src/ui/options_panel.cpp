// The panel of the options screen: loading, saving and resetting the
// settings, with a message in the status box.

#include <string_view>

#include "console/colours.h"
#include "console/console.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

// Where the buttons leave their 13-character messages.
void ShowConfigMessage(std::string_view message) { PutText(message, 66, 22, White, Black); }

void LoadConfig(int) {
  LoadSettings();
  RedrawScreen();
  DrawScreenBody(OptionsScreen, 1);
  ShowConfigMessage("Config Loaded");
}

void SaveConfig(int) {
  SaveSettings();
  ShowConfigMessage("Config Saved ");
}

void ResetConfig(int) {
  if (!ConfirmBox(ConfirmRow, ConfirmColumn)) return;
  SetDefaultSettings();
  RedrawScreen();
  DrawScreenBody(OptionsScreen, 1);
  ShowConfigMessage("Config Reset ");
}

constexpr PanelButton Buttons[] = {
    {5, "Load Config", White, Black, LoadConfig},
    {7, "Save Config", White, Black, SaveConfig},
    {19, "Default Config", LightRed, White, ResetConfig},
};

}  // namespace

void DrawOptionsPanel() {
  // The status box, where the buttons leave their messages.
  FillBox(0, White, Black, PanelColumn, 21, PanelLastColumn, 23);
  DrawPanelButtons(Buttons);
}

void ClickOptionsPanel(int column, int row) { ClickPanelButton(Buttons, column, row); }

}  // namespace zeb
