// The panel of the options screen: loading, saving and resetting the
// settings, with a message in the status box.

#include <string_view>

#include "console/colours.h"
#include "ui/layout.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

constexpr PanelButton Buttons[] = {
    {5, "Load Config", {Black, White}, ButtonAction::LoadConfig},
    {7, "Save Config", {Black, White}, ButtonAction::SaveConfig},
    {19, "Default Config", {White, LightRed}, ButtonAction::AskToReset},
};

}  // namespace

const std::span<const PanelButton> OptionsButtons = Buttons;

void DrawOptionsPanel(Console& console) {
  // The status box, where the buttons leave their messages.
  FillBox(console, Fill::Solid, {PanelColumn, StatusBoxTop}, {PanelLastColumn, StatusBoxBottom}, {Black, White});
  DrawPanelButtons(console, Buttons);
}

void DrawConfigMessage(Console& console, std::string_view message) { console.PutText(message, MessageAt, {White, Black}); }

}  // namespace zeb
