// The widgets of the options pages: switch, spinner and selector.

#include <algorithm>
#include <cstdio>
#include <string>

#include "console/colours.h"
#include "storage/short_string.h"
#include "storage/numbers.h"
#include "emulator/launch.h"
#include "ui/frame.h"
#include "ui/line_editor.h"
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

void DrawSwitch(Console& console, int value, Point at) {
  const int column = at.Column;
  console.PutText(" Y  ", at, {LightGreen, Black});
  console.PutText("N ", {column + 4, at.Row}, {LightRed, Black});
  const char mark = static_cast<char>(RightTriangle);
  console.PutText(std::string_view(&mark, 1), {value != 0 ? column : column + 3, at.Row}, {White, Black});
}

void DrawSpinner(Console& console, int wholeValue, double realValue, int width, Point at) {
  const int column = at.Column;
  const int row = at.Row;
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
  console.PutText("-", {column, row}, {LightRed, White});
  console.PutText(shown, {column + 1, row}, {White, Black});
  console.PutText("+", {column + 1 + static_cast<int>(shown.Length()), row}, {LightRed, White});
}

void DrawSelector(Console& console, std::string_view caption, Point at) {
  const int column = at.Column;
  const int row = at.Row;
  ShortString shown = " ";
  shown += caption;
  shown += ' ';
  const char left = static_cast<char>(LeftTriangle);
  const char right = static_cast<char>(RightTriangle);
  console.PutText(std::string_view(&left, 1), {column, row}, {LightRed, White});
  console.PutText(shown, {column + 1, row}, {White, Black});
  console.PutText(std::string_view(&right, 1), {column + 1 + static_cast<int>(shown.Length()), row}, {LightRed, White});
}

// A text field: a black bar to column 58 with the text on it (a longer text
// runs on to the screen's edge), or the text as the line editor shows it;
// then the blanks the editor has left on its row since the page was drawn.
void DrawTextField(Console& console, const OptionItem& item, const Settings& settings, const OptionsScreen& options) {
  const Point at{item.Column, item.Row};
  FillBox(console, Fill::Solid, at, {58, item.Row}, {Black, White});
  const LineEditor& editor = options.Editor;
  const bool editing = editor.Open && editor.Field == item.Text;
  int drawnTo = 0;
  if (editing) {
    DrawEditedText(console, editor);
    drawnTo = EditedLastColumn(editor);
  } else {
    const ShortString& text = settings.*item.Text;
    console.PutText(text, at, {White, Black});
    drawnTo = item.Column + static_cast<int>(text.Length()) - 1;
  }
  const int left = std::min(options.EditedTo[static_cast<std::size_t>(item.Row)], ScreenWidth);
  if (left > drawnTo) {
    console.PutText(std::string(static_cast<std::size_t>(left - drawnTo), ' '), {drawnTo + 1, item.Row}, {White, Black});
  }
}

}  // namespace

void DrawOptionWidget(Console& console, const OptionItem& item, const Settings& settings,
                      const OptionsScreen& options) {
  const Point at{item.Column, item.Row};
  switch (item.Kind) {
    case OptionWidget::Label:
      break;
    case OptionWidget::Switch:
      DrawSwitch(console, settings.*item.Whole, at);
      break;
    case OptionWidget::WholeSpinner:
      DrawSpinner(console, settings.*item.Whole, NoRealValue, item.Width, at);
      break;
    case OptionWidget::RealSpinner:
      DrawSpinner(console, NoWholeValue, settings.*item.Real, item.Width, at);
      break;
    case OptionWidget::Selector:
      DrawSelector(console, options.Captions.*item.Shown, at);
      break;
    case OptionWidget::TextField:
      DrawTextField(console, item, settings, options);
      break;
  }
}

}  // namespace zeb
