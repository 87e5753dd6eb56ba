// Clicks on the options screen: the tabs and every item of the page on
// display.

#include <algorithm>
#include <cmath>

#include "storage/file_system.h"
#include "ui/layout.h"
#include "ui/line_editor.h"
#include "ui/options_items.h"
#include "ui/options_screen.h"

namespace zeb {

namespace {

constexpr int TabRow = 4;
constexpr int ClickRepeatPause = 150;

// The editor's text is drawn: the columns it covers keep a blank when the
// text gets shorter, until the page is drawn anew; on the message's row it
// covers the message.
void NoteEditedColumns(OptionsScreen& options) {
  const LineEditor& editor = options.Editor;
  int& edited = options.EditedTo[static_cast<std::size_t>(editor.At.Row)];
  edited = std::max(edited, EditedLastColumn(editor));
  if (editor.At.Row == MessageAt.Row) options.FieldsOverMessage = true;
}

bool Within(int c, const OptionItem& item) { return c >= item.Left && c <= item.Right; }

// Real settings step by 0.1 or 0.25: every new value, and every value the
// limits are compared with, is kept to two decimals, so that repeated steps
// land exactly on the limits instead of drifting past them.
double ToHundredths(double value) { return std::round(value * 100.0) / 100.0; }

// Another page's tab shows that page.
void ClickTab(OptionsScreen& options, int c) {
  for (int i = 0; i < OptionTabCount; ++i) {
    const OptionTab& tab = OptionTabs[i];
    if (c >= tab.HitFrom && c <= tab.HitTo && tab.OnPage != options.OptionsPage) {
      options.OptionsPage = tab.OnPage;
      PageShownAnew(options);
      return;
    }
  }
}

// What an item's click works on.
struct ItemContext {
  Settings& settings;
  OptionsScreen& options;
};

void ClickSwitch(const ItemContext& at, const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  int32_t& value = at.settings.*item.Whole;
  value = value == 0 ? 1 : 0;
  if (item.Clears != nullptr) at.settings.*item.Clears = 0;
}

// Steps only while the value is inside the limit on that side; the step is
// then applied in full, so a value from outside the range moves towards it.
void ClickWholeSpinner(const ItemContext& at, const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  int32_t& value = at.settings.*item.Whole;
  const auto step = static_cast<int32_t>(item.Step);
  if (c == item.Left && value > item.Low) value -= step;
  if (c == item.Right && value < item.High) value += step;
  if (item.RefreshesCaptions) UpdateCaptions(at.options.Captions, at.settings);
}

void ClickRealSpinner(const ItemContext& at, const OptionItem& item, int c) {
  if (item.Reach == OptionReach::Columns && !Within(c, item)) return;
  double& value = at.settings.*item.Real;
  if (c == item.Left && ToHundredths(value) > item.Low) value = ToHundredths(value - item.Step);
  if (c == item.Right && ToHundredths(value) < item.High) value = ToHundredths(value + item.Step);
  if (item.RefreshesCaptions) UpdateCaptions(at.options.Captions, at.settings);
}

void ClickSelector(const ItemContext& at, const OptionItem& item, int c) {
  int32_t& index = at.settings.*item.Whole;
  if (c == item.Left && index > item.Low) --index;
  if (c == item.Right && index < item.High) ++index;
  UpdateCaptions(at.options.Captions, at.settings);
}

// The four text settings are paths and file names.
void ClickTextField(const ItemContext& at, const OptionItem& item, int c) {
  if (!Within(c, item)) return;
  LineEditor& editor = at.options.Editor;
  OpenLineEditor(editor, at.settings.*item.Text, {item.Column, item.Row}, PathCharacters);
  editor.Field = item.Text;
  NoteEditedColumns(at.options);
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

void HandleOptionsClick(Console& console, OptionsScreen& options, Settings& settings, Point at) {
  // Sets the repeat rate of a held click anywhere but on the tabs.
  if (at.Row != TabRow) console.Pause(ClickRepeatPause);
  if (at.Row == TabRow) ClickTab(options, at.Column);
  const Page page = options.OptionsPage;
  const ItemContext context{settings, options};
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.OnPage == page && item.Row == at.Row) ClickItem(context, item, at.Column);
  }
}

void EditOption(OptionsScreen& options, Settings& settings, KeyPress key) {
  LineEditor& editor = options.Editor;
  if (EditKey(editor, key)) settings.*editor.Field = editor.Text;
  NoteEditedColumns(options);
}

void PageShownAnew(OptionsScreen& options) {
  options.EditedTo.fill(0);
  options.FieldsOverMessage = true;
}

}  // namespace zeb
