// Drawing an options page: the tab row, the frame, the page area and the
// page's items.

#include "ui/options_screen.h"

#include <initializer_list>

#include "console/colours.h"
#include "storage/short_string.h"
#include "ui/frame.h"
#include "ui/options_items.h"
#include "ui/picture.h"

namespace zeb {

namespace {

constexpr char Vertical = '\xB3';
constexpr char Horizontal = '\xC4';
constexpr char TopLeft = '\xDA';
constexpr char TopRight = '\xBF';
constexpr char BottomLeft = '\xC0';
constexpr char BottomRight = '\xD9';
constexpr char TeeDown = '\xC2';
constexpr char TeeUp = '\xC1';
constexpr char TeeRight = '\xC3';
constexpr char TeeLeft = '\xB4';
constexpr unsigned char FullBlock = 0xDB;

void AppendRun(ShortString& text, char c, int count) {
  for (int i = 0; i < count; ++i) text += c;
}

// A line of the tab row or the frame: `first`, runs of `fill` of the given
// widths with `between` between them, then `last`.
ShortString TabLine(char first, char between, char fill, char last, std::initializer_list<int> widths) {
  ShortString text;
  text += first;
  bool firstWidth = true;
  for (int width : widths) {
    if (!firstWidth) text += between;
    firstWidth = false;
    AppendRun(text, fill, width);
  }
  text += last;
  return text;
}

void DrawTabRow(Console& console, Page page) {
  console.PutText(TabLine(Vertical, Vertical, ' ', Vertical, {5, 7, 12, 5}), 2, 4, White, Blue);
  console.PutText(TabLine(Vertical, Vertical, ' ', Vertical, {5}), 56, 4, White, Blue);
  for (int i = 0; i < OptionTabCount; ++i) {
    const OptionTab& tab = OptionTabs[i];
    console.PutText(tab.Caption, tab.Column, 4, tab.OnPage == page ? Yellow : White, Blue);
  }
}

// The box that closes each tab above row 4 and joins them around the page
// area. It is drawn with every page, so that a full redraw never leaves a
// page without it.
void DrawFrame(Console& console) {
  console.PutText(TabLine(TopLeft, TeeDown, Horizontal, TopRight, {5, 7, 12, 5}), 2, 3, White, Blue);
  console.PutText(TabLine(TopLeft, TeeDown, Horizontal, TopRight, {5}), 56, 3, White, Blue);
  console.PutText(TabLine(TeeRight, TeeUp, Horizontal, TeeLeft, {5, 7, 12, 5, 20, 5}), 2, 5, White, Blue);
  const char side = Vertical;
  for (int row = 6; row <= 24; ++row) {
    console.PutText(std::string_view(&side, 1), 2, row, White, Blue);
    console.PutText(std::string_view(&side, 1), 62, row, White, Blue);
  }
  console.PutText(TabLine(BottomLeft, Horizontal, Horizontal, BottomRight, {59}), 2, 25, White, Blue);
}

void DrawAbout(Console& console) {
  DrawPicture(console, 3, 6, FullBlock);
  console.PutText("ZEB for POSIX", 10, 24, White, Blue);
  console.PutText("written by the ZEB team", 24, 24, Yellow, Blue);
}

}  // namespace

void DrawOptionsPage(Console& console, const Settings& settings, const OptionCaptions& captions, Page page) {
  FillBox(console, 0, White, Blue, 36, 3, 55, 4);
  FillBox(console, 0, White, Blue, 3, 6, 61, 24);
  DrawTabRow(console, page);
  DrawFrame(console);
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.OnPage != page) continue;
    console.PutText(item.Caption, item.CaptionColumn, item.Row, White, Blue);
    DrawOptionWidget(console, item, settings, captions);
  }
  if (page == Page::About) DrawAbout(console);
}

}  // namespace zeb
