// The panel of the options screen: loading, saving and resetting the
// settings, with a message in the status box.

#include <string_view>

#include "console/colours.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

// Where the buttons leave their 13-character messages.
void ShowConfigMessage(Console& console, std::string_view message) {
  console.PutText(message, 66, 22, White, Black);
}

Outcome LoadConfig(Session& session, int) {
  LoadSettings(session.settings, session.games);
  RedrawScreen(session);
  ShowScreen(session, Screen::Options, Page::Paths);
  ShowConfigMessage(session.console, "Config Loaded");
  return Outcome::Done();
}

Outcome SaveConfig(Session& session, int) {
  SaveSettings(session.settings, session.games);
  ShowConfigMessage(session.console, "Config Saved ");
  return Outcome::Done();
}

Outcome ResetConfig(Session& session, int) {
  if (!ConfirmBox(session, ConfirmRow, ConfirmColumn)) return Outcome::Done();
  SetDefaultSettings(session.settings, session.options.Captions);
  session.list.ListFilter = Filter::AllGames;
  RedrawScreen(session);
  ShowScreen(session, Screen::Options, Page::Paths);
  ShowConfigMessage(session.console, "Config Reset ");
  return Outcome::Done();
}

constexpr PanelButton Buttons[] = {
    {5, "Load Config", White, Black, LoadConfig},
    {7, "Save Config", White, Black, SaveConfig},
    {19, "Default Config", LightRed, White, ResetConfig},
};

}  // namespace

void DrawOptionsPanel(Console& console) {
  // The status box, where the buttons leave their messages.
  FillBox(console, 0, White, Black, PanelColumn, 21, PanelLastColumn, 23);
  DrawPanelButtons(console, Buttons);
}

Outcome ClickOptionsPanel(Session& session, int column, int row) {
  return ClickPanelButton(session, Buttons, column, row);
}

}  // namespace zeb
