// The widgets of the options pages: switch, spinner and selector.

#include <cstdio>

#include "console/colours.h"
#include "storage/short_string.h"
#include "storage/numbers.h"
#include "emulator/launch.h"
#include "ui/frame.h"
#include "ui/options_items.h"

namespace zeb {

namespace {

// Whole and real spinners are told apart by this value in the other slot.
constexpr int NoWholeValue = 10001;
constexpr double NoRealValue = 10001.0;

constexpr unsigned char RightTriangle = 0x10;
constexpr unsigned char LeftTriangle = 0x11;

// One blank, blanks up to `width` characters, the number, one blank.
ShortString PaddedNumber(std::string_view number, int width) {
  ShortString shown = " ";
  for (int i = static_cast<int>(number.size()); i < width; ++i) shown += ' ';
  shown += number;
  shown += ' ';
  return shown;
}

void DrawSwitch(Console& console, int column, int row, int value) {
  console.PutText(" Y  ", column, row, LightGreen, Black);
  console.PutText("N ", column + 4, row, LightRed, Black);
  const char mark = static_cast<char>(RightTriangle);
  console.PutText(std::string_view(&mark, 1), value != 0 ? column : column + 3, row, White, Black);
}

void DrawSpinner(Console& console, int column, int row, int wholeValue, double realValue, int width) {
  ShortString wholeText = IntText(wholeValue);
  ShortString shown = wholeText;
  if (wholeValue < NoWholeValue) shown = PaddedNumber(wholeText, width);
  if (realValue < NoRealValue) {
    // Room for the longest fixed-point text of a double; ShortString keeps 255.
    char realText[400];
    int length = std::snprintf(realText, sizeof realText, "%.2f", realValue);
    if (length < 0) length = 0;
    if (length >= static_cast<int>(sizeof realText)) length = sizeof realText - 1;
    // Shown with the decimal separator the emulator's command line gets.
    const char separator = DecimalSeparator();
    for (int i = 0; i < length; ++i) {
      if (realText[i] == '.') realText[i] = separator;
    }
    shown = PaddedNumber(std::string_view(realText, static_cast<std::size_t>(length)), width);
  }
  console.PutText("-", column, row, LightRed, White);
  console.PutText(shown, column + 1, row, White, Black);
  console.PutText("+", column + 1 + static_cast<int>(shown.Length()), row, LightRed, White);
}

void DrawSelector(Console& console, int column, int row, std::string_view caption) {
  ShortString shown = " ";
  shown += caption;
  shown += ' ';
  const char left = static_cast<char>(LeftTriangle);
  const char right = static_cast<char>(RightTriangle);
  console.PutText(std::string_view(&left, 1), column, row, LightRed, White);
  console.PutText(shown, column + 1, row, White, Black);
  console.PutText(std::string_view(&right, 1), column + 1 + static_cast<int>(shown.Length()), row, LightRed, White);
}

}  // namespace

void DrawOptionWidget(Console& console, const OptionItem& item, const Settings& settings,
                      const OptionCaptions& captions) {
  switch (item.Kind) {
    case OptionWidget::Label:
      break;
    case OptionWidget::Switch:
      DrawSwitch(console, item.Column, item.Row, settings.*item.Whole);
      break;
    case OptionWidget::WholeSpinner:
      DrawSpinner(console, item.Column, item.Row, settings.*item.Whole, NoRealValue, item.Width);
      break;
    case OptionWidget::RealSpinner:
      DrawSpinner(console, item.Column, item.Row, NoWholeValue, settings.*item.Real, item.Width);
      break;
    case OptionWidget::Selector:
      DrawSelector(console, item.Column, item.Row, captions.*item.Shown);
      break;
    case OptionWidget::TextField:
      // A black bar to column 58; a longer text runs on to the screen's edge.
      FillBox(console, 0, White, Black, item.Column, item.Row, 58, item.Row);
      console.PutText(settings.*item.Text, item.Column, item.Row, White, Black);
      break;
  }
}

}  // namespace zeb
