// The frame every screen shares: filled boxes, buttons, the panel with the
// screen switch, the full redraw and the yes/no confirmation box.

#include "ui/frame.h"

#include "console/colours.h"
#include "storage/short_string.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/options_screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

constexpr char FullBlock = static_cast<char>(0xDB);
constexpr char MediumShade = static_cast<char>(0xB1);
constexpr char LeftTriangle = static_cast<char>(0x11);
constexpr char RightTriangle = static_cast<char>(0x10);

ShortString Repeat(char c, int count) {
  ShortString text;
  for (int i = 0; i < count; ++i) text += c;
  return text;
}

bool IsAnswer(unsigned char key) { return key == 'y' || key == 'Y' || key == 'n' || key == 'N'; }

void DrawPanel(Console& console, Screen screen, const Session& session) {
  DrawButton(console, true, White, Black, ScreenCaption(static_cast<int>(screen)), PanelSwitchRow, PanelColumn);
  FillBox(console, 1, Blue, White, PanelColumn, PanelSwitchRow + 1, ScreenWidth, ScreenHeight);
  switch (screen) {
    case Screen::GamesList: DrawGamesListPanel(console, session.list, session.games); break;
    case Screen::Options: DrawOptionsPanel(console); break;
    case Screen::Viewer: DrawViewerPanel(console); break;
  }
}

void DrawTitle(Console& console, const GameTable& games) {
  ShortString title = "  Z.E.B. Zestful Game Launcher ";
  title += ProgramVersionText;
  while (title.Length() < ScreenWidth) title += ' ';
  console.PutText(title.View().substr(0, ScreenWidth), 1, 1, Black, White);

  // The emulator's version ends in column 80. A text longer than the row
  // starts in column 1 instead, so that its beginning stays readable.
  int versionColumn = 81 - static_cast<int>(games.MameVersion.Length());
  if (versionColumn < 1) versionColumn = 1;
  console.PutText(games.MameVersion, versionColumn, 1, Black, White);

  console.PutText("X", 1, 1, White, LightRed);
}

}  // namespace

void FillBox(Console& console, int style, int background, int foreground, int left, int top, int right, int bottom) {
  ShortString row = Repeat(style == 0 ? FullBlock : MediumShade, right - left + 1);
  for (int r = top; r <= bottom; ++r) console.PutText(row, left, r, foreground, background);
}

void DrawButton(Console& console, bool selected, int background, int foreground, std::string_view label, int row,
                int column) {
  // The label centred in 14 characters; the odd blank goes to the left.
  int d = 14 - static_cast<int>(label.size());
  int before = d > 0 ? (d + 1) / 2 : 0;
  int after = d > 0 ? d / 2 : 0;
  ShortString field = Repeat(' ', before);
  field += label;
  field += Repeat(' ', after);

  ShortString text;
  if (selected) {
    text += LeftTriangle;
    text += field;
    text += RightTriangle;
    console.PutText(text, column, row, foreground, White);
  } else {
    text += '[';
    text += field;
    text += ']';
    console.PutText(text, column, row, foreground, background);
  }
}

void DrawFilterButton(Console& console, Filter filter, int row, int column) {
  std::string_view name;
  switch (filter) {
    case Filter::AllGames: name = "All Games"; break;
    case Filter::Available: name = "Available"; break;
    case Filter::Missing: name = "Missing"; break;
  }
  DrawButton(console, true, White, Black, name, row, column);
}

void DrawPanelButtons(Console& console, std::span<const PanelButton> buttons) {
  for (const PanelButton& button : buttons) {
    DrawButton(console, false, button.Background, button.Foreground, button.Label, button.Row, PanelColumn);
  }
}

Outcome ClickPanelButton(Session& session, std::span<const PanelButton> buttons, int column, int row) {
  Outcome outcome;
  for (const PanelButton& button : buttons) {
    if (button.Row == row) outcome |= button.Click(session, column);
  }
  return outcome;
}

void ShowPanel(Session& session, Screen screen) {
  session.navigation.PanelScreen = screen;
  UpdateCaptions(session.options.Captions, session.settings);
  DrawPanel(session.console, screen, session);
}

void RedrawScreen(Session& session) {
  Console& console = session.console;
  DrawTitle(console, session.games);
  FillBox(console, 1, Blue, White, 1, 2, ScreenWidth, ScreenHeight);
  ShowPanel(session, session.navigation.CurrentScreen);
  ShowScreen(session, session.navigation.CurrentScreen, session.options.OptionsPage);
}

bool ConfirmBox(Session& session, int row, int column) {
  Console& console = session.console;
  FillBox(console, 0, White, Red, column, row, column + 20, row + 2);
  ShortString line = Repeat(static_cast<char>(0xC4), 19);

  ShortString top;
  top += static_cast<char>(0xDA);
  top += line;
  top += static_cast<char>(0xBF);
  console.PutText(top, column, row, White, Red);

  ShortString middle;
  middle += static_cast<char>(0xB3);
  middle += "Are You Sure (Y/N)?";
  middle += static_cast<char>(0xB3);
  console.PutText(middle, column, row + 1, White, Red);

  ShortString bottom;
  bottom += static_cast<char>(0xC0);
  bottom += line;
  bottom += static_cast<char>(0xD9);
  console.PutText(bottom, column, row + 2, White, Red);

  unsigned char answer = 0;
  do {
    answer = console.GetKey();
  } while (!IsAnswer(answer));

  if (answer == 'y' || answer == 'Y') return true;
  RedrawScreen(session);
  return false;
}

}  // namespace zeb
