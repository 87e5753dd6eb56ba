// Clicks on the options screen: the tabs and every item of the page on
// display.

#include <cmath>

#include "console/console.h"
#include "storage/file_system.h"
#include "storage/state.h"
#include "settings/settings.h"
#include "ui/line_editor.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/options_items.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

constexpr int TabRow = 4;
constexpr int ClickRepeatPause = 150;

bool Within(int c, const OptionItem& item) { return c >= item.Left && c <= item.Right; }

// Real settings step by 0.1 or 0.25: every new value, and every value the
// limits are compared with, is kept to two decimals, so that repeated steps
// land exactly on the limits instead of drifting past them.
double ToHundredths(double value) { return std::round(value * 100.0) / 100.0; }

void ClickTab(int c) {
  for (int i = 0; i < OptionTabCount; ++i) {
    const OptionTab& tab = OptionTabs[i];
    if (c >= tab.HitFrom && c <= tab.HitTo && tab.Page != OptionsPage) {
      DrawScreenBody(OptionsScreen, tab.Page);
      return;
    }
  }
}

const OptionItem* ItemOfSetting(const int32_t* setting, int page) {
  for (int i = 0; i < OptionItemCount; ++i) {
    if (OptionItems[i].Page == page && OptionItems[i].Whole == setting) return &OptionItems[i];
  }
  return nullptr;
}

void ClickSwitch(const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  *item.Whole = *item.Whole == 0 ? 1 : 0;
  if (item.Clears != nullptr) {
    *item.Clears = 0;
    if (const OptionItem* cleared = ItemOfSetting(item.Clears, item.Page)) DrawOptionWidget(*cleared);
  }
  DrawOptionWidget(item);
}

// Steps only while the value is inside the limit on that side; the step is
// then applied in full, so a value from outside the range moves towards it.
void ClickWholeSpinner(const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  int32_t& value = *item.Whole;
  const auto step = static_cast<int32_t>(item.Step);
  if (c == item.Left && value > item.Low) value -= step;
  if (c == item.Right && value < item.High) value += step;
  if (item.RefreshesCaptions) UpdateCaptions();
  DrawOptionWidget(item);
}

void ClickRealSpinner(const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  double& value = *item.Real;
  if (c == item.Left && ToHundredths(value) > item.Low) value = ToHundredths(value - item.Step);
  if (c == item.Right && ToHundredths(value) < item.High) value = ToHundredths(value + item.Step);
  if (item.RefreshesCaptions) UpdateCaptions();
  DrawOptionWidget(item);
}

void ClickSelector(const OptionItem& item, int c) {
  int32_t& index = *item.Whole;
  if (c == item.Left && index > item.Low) --index;
  if (c == item.Right && index < item.High) ++index;
  UpdateCaptions();
  bool onTriangle = c == item.Left || c == item.Right;
  if (item.Reach != OptionReach::Triangles || onTriangle) DrawOptionWidget(item);
}

void ClickTextField(const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  // The four text settings are paths and file names.
  *item.Text = EditLine(*item.Text, item.Row, item.Column, PathCharacters);
}

void ClickItem(const OptionItem& item, int c) {
  switch (item.Kind) {
    case OptionWidget::Label:
      break;
    case OptionWidget::Switch:
      ClickSwitch(item, c);
      break;
    case OptionWidget::WholeSpinner:
      ClickWholeSpinner(item, c);
      break;
    case OptionWidget::RealSpinner:
      ClickRealSpinner(item, c);
      break;
    case OptionWidget::Selector:
      ClickSelector(item, c);
      break;
    case OptionWidget::TextField:
      ClickTextField(item, c);
      break;
  }
}

}  // namespace

void HandleOptionsClick(int column, int row) {
  // Sets the repeat rate of a held click anywhere but on the tabs.
  if (row != TabRow) Pause(ClickRepeatPause);
  if (row == TabRow) ClickTab(column);
  const int page = OptionsPage;
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.Page == page && item.Row == row) ClickItem(item, column);
  }
}

}  // namespace zeb
