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

// White on the blue of the page: its frame, tabs and captions.
constexpr Colours OnPage{White, Blue};

void DrawTabRow(Console& console, Page page) {
  console.PutText(TabLine(Vertical, Vertical, ' ', Vertical, {5, 7, 12, 5}), {2, 4}, OnPage);
  console.PutText(TabLine(Vertical, Vertical, ' ', Vertical, {5}), {56, 4}, OnPage);
  for (int i = 0; i < OptionTabCount; ++i) {
    const OptionTab& tab = OptionTabs[i];
    console.PutText(tab.Caption, {tab.Column, 4}, {tab.OnPage == page ? Yellow : White, Blue});
  }
}

// The box that closes each tab above row 4 and joins them around the page
// area. It is drawn with every page, so that a full redraw never leaves a
// page without it.
void DrawFrame(Console& console) {
  console.PutText(TabLine(TopLeft, TeeDown, Horizontal, TopRight, {5, 7, 12, 5}), {2, 3}, OnPage);
  console.PutText(TabLine(TopLeft, TeeDown, Horizontal, TopRight, {5}), {56, 3}, OnPage);
  console.PutText(TabLine(TeeRight, TeeUp, Horizontal, TeeLeft, {5, 7, 12, 5, 20, 5}), {2, 5}, OnPage);
  const char side = Vertical;
  for (int row = 6; row <= 24; ++row) {
    console.PutText(std::string_view(&side, 1), {2, row}, OnPage);
    console.PutText(std::string_view(&side, 1), {62, row}, OnPage);
  }
  console.PutText(TabLine(BottomLeft, Horizontal, Horizontal, BottomRight, {59}), {2, 25}, OnPage);
}

void DrawAbout(Console& console) {
  DrawPicture(console, FullBlock, {3, 6});
  console.PutText("ZEB for POSIX", {10, 24}, OnPage);
  console.PutText("written by the ZEB team", {24, 24}, {Yellow, Blue});
}

}  // namespace

void DrawOptionsPage(Console& console, const Settings& settings, const OptionsScreen& options, Page page) {
  FillBox(console, Fill::Solid, {36, 3}, {55, 4}, {Blue, White});
  FillBox(console, Fill::Solid, {3, 6}, {61, 24}, {Blue, White});
  DrawTabRow(console, page);
  DrawFrame(console);
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.OnPage != page) continue;
    console.PutText(item.Caption, {item.CaptionColumn, item.Row}, OnPage);
    DrawOptionWidget(console, item, settings, options);
  }
  if (page == Page::About) DrawAbout(console);
}

}  // namespace zeb
