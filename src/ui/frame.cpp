// The frame every screen shares: filled boxes, buttons, the title bar and
// the yes/no confirmation box.

#include "ui/frame.h"

#include "console/colours.h"
#include "storage/short_string.h"
#include "ui/layout.h"

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

// A line of the confirmation box: `first`, nineteen of `fill` (or the
// question), `last`.
ShortString BoxLine(char first, std::string_view middle, char last) {
  ShortString line;
  line += first;
  line += middle;
  line += last;
  return line;
}

}  // namespace

void FillBox(Console& console, Fill fill, Point from, Point to, Colours colours) {
  ShortString row = Repeat(fill == Fill::Solid ? FullBlock : MediumShade, to.Column - from.Column + 1);
  for (int r = from.Row; r <= to.Row; ++r) console.PutText(row, {from.Column, r}, colours);
}

void DrawButton(Console& console, std::string_view label, Point at, Colours colours, ButtonLook look) {
  // The label centred in 14 characters; the odd blank goes to the left.
  int d = 14 - static_cast<int>(label.size());
  int before = d > 0 ? (d + 1) / 2 : 0;
  int after = d > 0 ? d / 2 : 0;
  ShortString field = Repeat(' ', before);
  field += label;
  field += Repeat(' ', after);

  if (look == ButtonLook::Selected) {
    console.PutText(BoxLine(LeftTriangle, field, RightTriangle), at, {colours.Foreground, White});
  } else {
    console.PutText(BoxLine('[', field, ']'), at, colours);
  }
}

void DrawFilterButton(Console& console, Filter filter, Point at) {
  std::string_view name;
  switch (filter) {
    case Filter::AllGames: name = "All Games"; break;
    case Filter::Available: name = "Available"; break;
    case Filter::Missing: name = "Missing"; break;
  }
  DrawButton(console, name, at, {Black, White}, ButtonLook::Selected);
}

void DrawPanelButtons(Console& console, std::span<const PanelButton> buttons) {
  for (const PanelButton& button : buttons) {
    if (button.Label != nullptr) DrawButton(console, button.Label, {PanelColumn, button.Row}, button.Look, ButtonLook::Plain);
  }
}

const PanelButton* PanelButtonAt(std::span<const PanelButton> buttons, int row) {
  for (const PanelButton& button : buttons) {
    if (button.Row == row) return &button;
  }
  return nullptr;
}

void DrawTitle(Console& console, const GameTable& games) {
  ShortString title = "  Z.E.B. Zestful Game Launcher ";
  title += ProgramVersionText;
  while (title.Length() < ScreenWidth) title += ' ';
  console.PutText(title.View().substr(0, ScreenWidth), {1, 1}, {Black, White});

  // The emulator's version ends in column 80. A text longer than the row
  // starts in column 1 instead, so that its beginning stays readable.
  int versionColumn = 81 - static_cast<int>(games.MameVersion.Length());
  if (versionColumn < 1) versionColumn = 1;
  console.PutText(games.MameVersion, {versionColumn, 1}, {Black, White});

  console.PutText("X", {1, 1}, {White, LightRed});
}

void DrawConfirmBox(Console& console, Point at) {
  const Colours box{White, Red};
  FillBox(console, Fill::Solid, at, {at.Column + 20, at.Row + 2}, {Red, White});
  const ShortString line = Repeat(static_cast<char>(0xC4), 19);
  console.PutText(BoxLine(static_cast<char>(0xDA), line, static_cast<char>(0xBF)), at, box);
  console.PutText(BoxLine(static_cast<char>(0xB3), "Are You Sure (Y/N)?", static_cast<char>(0xB3)),
                  {at.Column, at.Row + 1}, box);
  console.PutText(BoxLine(static_cast<char>(0xC0), line, static_cast<char>(0xD9)), {at.Column, at.Row + 2}, box);
}

}  // namespace zeb
