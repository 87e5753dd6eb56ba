#pragma once
// The items of the options pages as fixed tables, read both by the page
// drawing and by the click handling: where each caption and widget stands,
// which setting it shows, its limits and step, and which columns of its row
// a click acts on.

#include <cstdint>

#include "console/console.h"
#include "settings/settings.h"
#include "storage/short_string.h"
#include "ui/session.h"

namespace zeb {

enum class OptionWidget : unsigned char {
  Label,         // a caption alone (headings, notes)
  Switch,        // yes/no
  WholeSpinner,  // a whole number between "-" and "+"
  RealSpinner,   // a real number between "-" and "+"
  Selector,      // a caption between two triangles
  TextField,     // a path, edited with the line editor
};

// Which clicks on its row an item acts on.
enum class OptionReach : unsigned char {
  Columns,    // only columns Left to Right
  Row,        // any column of the row
  Triangles,  // any column refreshes the captions; only Left and Right step and redraw
};

struct OptionItem {
  Page OnPage;
  const char* Caption;
  int CaptionColumn;
  int Row;      // caption and widget share the row
  OptionWidget Kind;
  int Column;   // the widget's first column
  int32_t Settings::* Whole = nullptr;    // switches, whole spinners, selector indexes
  double Settings::* Real = nullptr;      // real spinners
  ShortString Settings::* Text = nullptr;            // text fields
  ShortString OptionCaptions::* Shown = nullptr;     // a selector's caption
  double Low = 0, High = 0, Step = 0;     // spinner limits and step; selector 0 to High
  int Width = 0;                          // spinner width
  int Left = 0, Right = 0;  // click columns: "-" and "+", the triangles, or a span
  OptionReach Reach = OptionReach::Columns;
  bool RefreshesCaptions = false;  // recompute the option captions after a click
  int32_t Settings::* Clears = nullptr;  // a switch that this switch also turns off
};

extern const OptionItem OptionItems[];
extern const int OptionItemCount;

// A tab of row 4: its page, caption and the columns that select it.
struct OptionTab {
  Page OnPage;
  const char* Caption;
  int Column;
  int HitFrom, HitTo;
};

extern const OptionTab OptionTabs[];
extern const int OptionTabCount;

// Draws the item's widget as its setting stands (nothing for a label); a
// text field as the line editor shows it while it is open there.
void DrawOptionWidget(Console& console, const OptionItem& item, const Settings& settings,
                      const OptionsScreen& options);

}  // namespace zeb
