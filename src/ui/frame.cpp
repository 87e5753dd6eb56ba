// The frame every screen shares: filled boxes, buttons, the panel with the
// screen switch, the full redraw and the yes/no confirmation box.

#include "ui/frame.h"

#include "console/colours.h"
#include "console/console.h"
#include "storage/short_string.h"
#include "storage/state.h"
#include "settings/settings.h"
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

}  // namespace

void FillBox(int style, int background, int foreground, int left, int top, int right, int bottom) {
  ShortString row = Repeat(style == 0 ? FullBlock : MediumShade, right - left + 1);
  for (int r = top; r <= bottom; ++r) PutText(row, left, r, foreground, background);
}

void DrawButton(bool selected, int background, int foreground, std::string_view label, int row, int column) {
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
    PutText(text, column, row, foreground, White);
  } else {
    text += '[';
    text += field;
    text += ']';
    PutText(text, column, row, foreground, background);
  }
}

void DrawFilterButton(int row, int column) {
  std::string_view name;
  switch (ListFilter) {
    case 1: name = "All Games"; break;
    case 2: name = "Available"; break;
    case 3: name = "Missing"; break;
    default: break;
  }
  DrawButton(true, White, Black, name, row, column);
}

void DrawPanelButtons(std::span<const PanelButton> buttons) {
  for (const PanelButton& button : buttons) {
    DrawButton(false, button.Background, button.Foreground, button.Label, button.Row, PanelColumn);
  }
}

void ClickPanelButton(std::span<const PanelButton> buttons, int column, int row) {
  for (const PanelButton& button : buttons) {
    if (button.Row == row) button.Click(column);
  }
}

void DrawPanel(int screen) {
  PanelScreen = screen;
  UpdateCaptions();
  DrawButton(true, White, Black, ScreenCaption, PanelSwitchRow, PanelColumn);
  FillBox(1, Blue, White, PanelColumn, PanelSwitchRow + 1, ScreenWidth, ScreenHeight);
  switch (screen) {
    case GamesListScreen: DrawGamesListPanel(); break;
    case OptionsScreen: DrawOptionsPanel(); break;
    case ViewerScreen: DrawViewerPanel(); break;
    default: break;
  }
}

void RedrawScreen() {
  ShortString title = "  Z.E.B. Zestful Game Launcher ";
  title += ProgramVersion;
  while (title.Length() < ScreenWidth) title += ' ';
  PutText(title.View().substr(0, ScreenWidth), 1, 1, Black, White);

  // The emulator's version ends in column 80. A text longer than the row
  // starts in column 1 instead, so that its beginning stays readable.
  int versionColumn = 81 - static_cast<int>(MameVersion.Length());
  if (versionColumn < 1) versionColumn = 1;
  PutText(MameVersion, versionColumn, 1, Black, White);

  PutText("X", 1, 1, White, LightRed);
  FillBox(1, Blue, White, 1, 2, ScreenWidth, ScreenHeight);
  DrawPanel(CurrentScreen);
  DrawScreenBody(CurrentScreen, OptionsPage);
}

bool ConfirmBox(int row, int column) {
  FillBox(0, White, Red, column, row, column + 20, row + 2);
  ShortString line = Repeat(static_cast<char>(0xC4), 19);

  ShortString top;
  top += static_cast<char>(0xDA);
  top += line;
  top += static_cast<char>(0xBF);
  PutText(top, column, row, White, Red);

  ShortString middle;
  middle += static_cast<char>(0xB3);
  middle += "Are You Sure (Y/N)?";
  middle += static_cast<char>(0xB3);
  PutText(middle, column, row + 1, White, Red);

  ShortString bottom;
  bottom += static_cast<char>(0xC0);
  bottom += line;
  bottom += static_cast<char>(0xD9);
  PutText(bottom, column, row + 2, White, Red);

  do {
    LastKey = GetKey();
  } while (!IsAnswer(LastKey));

  if (LastKey == 'y' || LastKey == 'Y') return true;
  RedrawScreen();
  return false;
}

}  // namespace zeb
