// Clicks on the options screen: the tabs and every item of the page on
// display.

#include <cmath>

#include "storage/file_system.h"
#include "ui/frame.h"
#include "ui/layout.h"
#include "ui/line_editor.h"
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

void ClickTab(Session& session, int c) {
  for (int i = 0; i < OptionTabCount; ++i) {
    const OptionTab& tab = OptionTabs[i];
    if (c >= tab.HitFrom && c <= tab.HitTo && tab.OnPage != session.options.OptionsPage) {
      ShowScreen(session, Screen::Options, tab.OnPage);
      return;
    }
  }
}

const OptionItem* ItemOfSetting(int32_t Settings::* setting, Page page) {
  for (int i = 0; i < OptionItemCount; ++i) {
    if (OptionItems[i].OnPage == page && OptionItems[i].Whole == setting) return &OptionItems[i];
  }
  return nullptr;
}

// What an item's click works on and draws on.
struct ItemContext {
  Console& console;
  Settings& settings;
  OptionCaptions& captions;
  void Draw(const OptionItem& item) const { DrawOptionWidget(console, item, settings, captions); }
};

void ClickSwitch(const ItemContext& at, const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  int32_t& value = at.settings.*item.Whole;
  value = value == 0 ? 1 : 0;
  if (item.Clears != nullptr) {
    at.settings.*item.Clears = 0;
    if (const OptionItem* cleared = ItemOfSetting(item.Clears, item.OnPage)) at.Draw(*cleared);
  }
  at.Draw(item);
}

// Steps only while the value is inside the limit on that side; the step is
// then applied in full, so a value from outside the range moves towards it.
void ClickWholeSpinner(const ItemContext& at, const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  int32_t& value = at.settings.*item.Whole;
  const auto step = static_cast<int32_t>(item.Step);
  if (c == item.Left && value > item.Low) value -= step;
  if (c == item.Right && value < item.High) value += step;
  if (item.RefreshesCaptions) UpdateCaptions(at.captions, at.settings);
  at.Draw(item);
}

void ClickRealSpinner(const ItemContext& at, const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  double& value = at.settings.*item.Real;
  if (c == item.Left && ToHundredths(value) > item.Low) value = ToHundredths(value - item.Step);
  if (c == item.Right && ToHundredths(value) < item.High) value = ToHundredths(value + item.Step);
  if (item.RefreshesCaptions) UpdateCaptions(at.captions, at.settings);
  at.Draw(item);
}

void ClickSelector(const ItemContext& at, const OptionItem& item, int c) {
  int32_t& index = at.settings.*item.Whole;
  if (c == item.Left && index > item.Low) --index;
  if (c == item.Right && index < item.High) ++index;
  UpdateCaptions(at.captions, at.settings);
  bool onTriangle = c == item.Left || c == item.Right;
  if (item.Reach != OptionReach::Triangles || onTriangle) at.Draw(item);
}

void ClickTextField(const ItemContext& at, const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  // The four text settings are paths and file names.
  ShortString& text = at.settings.*item.Text;
  text = EditLine(at.console, text, item.Row, item.Column, PathCharacters);
}

void ClickItem(const ItemContext& at, const OptionItem& item, int c) {
  switch (item.Kind) {
    case OptionWidget::Label:
      break;
    case OptionWidget::Switch:
      ClickSwitch(at, item, c);
      break;
    case OptionWidget::WholeSpinner:
      ClickWholeSpinner(at, item, c);
      break;
    case OptionWidget::RealSpinner:
      ClickRealSpinner(at, item, c);
      break;
    case OptionWidget::Selector:
      ClickSelector(at, item, c);
      break;
    case OptionWidget::TextField:
      ClickTextField(at, item, c);
      break;
  }
}

}  // namespace

Outcome HandleOptionsClick(Session& session, int column, int row) {
  // Sets the repeat rate of a held click anywhere but on the tabs.
  if (row != TabRow) session.console.Pause(ClickRepeatPause);
  if (row == TabRow) ClickTab(session, column);
  const Page page = session.options.OptionsPage;
  const ItemContext at{session.console, session.settings, session.options.Captions};
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.OnPage == page && item.Row == row) ClickItem(at, item, column);
  }
  return Outcome::Done();
}

}  // namespace zeb
