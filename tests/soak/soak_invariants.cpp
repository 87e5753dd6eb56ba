#include "soak/soak_invariants.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "console/colours.h"
#include "console/scripted_backend.h"
#include "program_version.h"
#include "storage/numbers.h"
#include "ui/games_list.h"
#include "ui/layout.h"
#include "ui/options_items.h"

namespace zeb::soak {

namespace {

unsigned char AttrOf(int foreground, int background) {
  return static_cast<unsigned char>(foreground + 16 * background);
}

// The one colour a cell shows all over, or -1: a blank shows its background,
// a full block its foreground.
int SolidColour(const Cell& cell) {
  if (cell.Char == ' ' || cell.Char == 0xFF) return cell.Attr >> 4;
  if (cell.Char == 0xDB) return cell.Attr & 15;
  return -1;
}

// Whether the two cells look the same on the screen.
bool SameLook(const Cell& a, const Cell& b) {
  if (a.Char == b.Char && a.Attr == b.Attr) return true;
  return SolidColour(a) >= 0 && SolidColour(a) == SolidColour(b);
}

// Whether the cell lies under the confirmation box, while it asks.
bool UnderTheBox(const Session& session, int column, int row) {
  return session.dialog.Asking != Question::None && column >= ConfirmColumn && column <= ConfirmColumn + 20 &&
         row >= ConfirmRow && row <= ConfirmRow + 2;
}

// The text of a row as shown, the cells under the box taken from `expected`
// (the row as it stands under the box).
std::string ShownAround(const Session& session, int column, int row, const std::string& expected) {
  std::string shown = TextAt(session.console.Screen, column, row, static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (UnderTheBox(session, column + static_cast<int>(i), row)) shown[i] = expected[i];
  }
  return shown;
}

std::string Where(int column, int row) { return " at (" + std::to_string(column) + "," + std::to_string(row) + ")"; }

// The cell shows `c` (in `attr`, unless -1).
std::string ExpectCell(const ScreenModel& screen, int column, int row, unsigned char c, int attr, const char* what) {
  const Cell& cell = screen.Cells[row - 1][column - 1];
  if (cell.Char == c && (attr < 0 || cell.Attr == attr)) return "";
  return std::string(what) + Where(column, row) + ": char " + std::to_string(cell.Char) + " attr " +
         std::to_string(cell.Attr);
}

std::string ExpectText(const ScreenModel& screen, int column, int row, std::string_view text, int attr,
                       const char* what) {
  for (std::size_t i = 0; i < text.size() && column + static_cast<int>(i) <= ScreenWidth; ++i) {
    std::string wrong = ExpectCell(screen, column + static_cast<int>(i), row, static_cast<unsigned char>(text[i]),
                                   attr, what);
    if (!wrong.empty()) return wrong + " (expected \"" + std::string(text) + "\")";
  }
  return "";
}

std::string CheckFrame(const Session& session) {
  const ScreenModel& screen = session.console.Screen;
  std::string wrong = ExpectCell(screen, 1, 1, 'X', AttrOf(White, LightRed), "the close mark");
  // The title, as far as the emulator's version at the row's end leaves it.
  std::string title = std::string("Z.E.B. Zestful Game Launcher ") + ProgramVersionText;
  int versionColumn = std::max(1, 81 - static_cast<int>(session.games.MameVersion.Length()));
  title = title.substr(0, static_cast<std::size_t>(std::max(0, versionColumn - 3)));
  if (wrong.empty()) wrong = ExpectText(screen, 3, 1, title, AttrOf(Black, White), "the title");
  if (wrong.empty() && versionColumn > 1) {
    wrong = ExpectText(screen, versionColumn, 1, session.games.MameVersion, AttrOf(Black, White), "the version");
  }
  const Navigation& navigation = session.navigation;
  if (wrong.empty() && navigation.PanelScreen != navigation.CurrentScreen) wrong = "the panel is another screen's";
  if (wrong.empty()) wrong = ExpectCell(screen, PanelColumn, PanelSwitchRow, 0x11, -1, "the screen switch");
  if (wrong.empty()) wrong = ExpectCell(screen, PanelLastColumn, PanelSwitchRow, 0x10, -1, "the screen switch");
  std::string_view caption = ScreenCaption(static_cast<int>(navigation.CurrentScreen));
  std::string shown = TextAt(screen, PanelColumn + 1, PanelSwitchRow, 14);
  if (wrong.empty() && shown.find(caption) == std::string::npos) wrong = "the panel's caption is \"" + shown + "\"";
  if (wrong.empty() && navigation.CurrentScreen != Screen::Options) {
    const struct {
      int Column, Row;
      unsigned char Glyph;
    } arrows[] = {{WindowLeft, ScrollBarRow, 0x11},      {WindowRight, ScrollBarRow, 0x10},
                  {ScrollBarColumn, HeadingRow, 0x1E},   {ScrollBarColumn, WindowTop, 0x1E},
                  {ScrollBarColumn, WindowBottom, 0x1F}, {ScrollBarColumn, ScrollBarRow, 0x1F}};
    // The games list's notice stands over its bottom scroll bar.
    const bool notice = navigation.CurrentScreen == Screen::GamesList && !session.list.Notice.Empty();
    for (const auto& arrow : arrows) {
      if (notice && arrow.Row == ScrollBarRow && arrow.Column != ScrollBarColumn) continue;
      if (wrong.empty()) wrong = ExpectCell(screen, arrow.Column, arrow.Row, arrow.Glyph, -1, "a scroll arrow");
    }
    if (wrong.empty() && notice) {
      std::string shown = session.list.Notice.Str().substr(0, WindowColumns);
      shown.resize(WindowColumns, ' ');
      wrong = ExpectText(screen, WindowLeft, ScrollBarRow, shown, AttrOf(Black, Yellow), "the list's notice");
    }
  }
  return wrong;
}

std::string CheckWindow(const ListWindow& window, const char* name) {
  const int32_t last = std::max(0, window.EntryCount - WindowRows);
  if (window.TopLine < 0 || window.TopLine > last) {
    return std::string(name) + ": TopLine " + std::to_string(window.TopLine) + " of " +
           std::to_string(window.EntryCount) + " entries";
  }
  if (window.ColumnOffset < 0 || window.ColumnOffset > MaxColumnOffset) {
    return std::string(name) + ": ColumnOffset " + std::to_string(window.ColumnOffset);
  }
  return "";
}

// The panel of the games list: the filter, the counts, and the selected
// game's details.
std::string CheckPanel(const Session& session) {
  const ScreenModel& screen = session.console.Screen;
  const GamesList& list = session.list;
  const GameTable& games = session.games;
  static constexpr const char* FilterNames[] = {"", "All Games", "Available", "Missing"};
  const std::string filter = TextAt(screen, PanelColumn, 9, 16);
  if (filter.find(FilterNames[static_cast<int>(list.ListFilter)]) == std::string::npos) {
    return "the filter button shows \"" + filter + "\"";
  }
  const struct {
    int Row;
    long long Count;
  } counts[] = {{12, games.GameCount}, {14, games.AvailableCount}, {16, games.GameCount - games.AvailableCount}};
  for (const auto& count : counts) {
    const std::string shown = TextAt(screen, PanelColumn, count.Row, 16);
    const std::string number = IntText(count.Count).Str();
    const bool digitAfter = shown.size() > number.size() && shown[number.size()] >= '0' && shown[number.size()] <= '9';
    if (shown.rfind(number, 0) != 0 || digitAfter) {
      return "row " + std::to_string(count.Row) + " shows \"" + shown + "\", not " + number;
    }
  }
  const bool selected = list.Window.EntryCount > 0 && list.SelectedGame > 0;
  const GameRecord none;
  const GameRecord& game = selected ? std::as_const(games.Games)[list.SelectedGame] : none;
  const std::string category(game.Category.View().substr(0, game.Category.View().find(' ')));
  const struct {
    int Row;
    std::string Text;
    int Width;
  } details[] = {{18, game.CloneOf.Str(), 14}, {20, game.CheatCount.Str(), 15}, {22, category, 15}};
  for (const auto& detail : details) {
    std::string expected = detail.Text.substr(0, static_cast<std::size_t>(detail.Width));
    expected.resize(static_cast<std::size_t>(detail.Width), ' ');
    bool same = true;
    for (int i = 0; i < detail.Width; ++i) {
      const Cell wanted{static_cast<unsigned char>(expected[static_cast<std::size_t>(i)]), AttrOf(White, Black)};
      same = same && SameLook(screen.Cells[detail.Row - 1][PanelColumn - 1 + i], wanted);
    }
    const std::string shown = TextAt(screen, PanelColumn, detail.Row, detail.Width);
    if (!same) {
      return "the details' row " + std::to_string(detail.Row) + " shows \"" + shown + "\", the selected game (" +
             std::to_string(list.SelectedGame) + ") has \"" + detail.Text + "\"";
    }
  }
  return "";
}

std::string CheckGamesList(const Session& session) {
  const GamesList& list = session.list;
  std::string wrong = CheckWindow(list.Window, "the games list");
  if (!wrong.empty()) return wrong;
  const int32_t entries = list.Window.EntryCount;
  if (list.SelectedGame != 0) {
    if (list.SelectedEntry < 1 || list.SelectedEntry > entries) {
      return "selected entry " + std::to_string(list.SelectedEntry) + " of " + std::to_string(entries);
    }
    if (list.ViewList[list.SelectedEntry].GameNumber != list.SelectedGame) {
      return "entry " + std::to_string(list.SelectedEntry) + " shows game " +
             std::to_string(list.ViewList[list.SelectedEntry].GameNumber) + ", the selected game is " +
             std::to_string(list.SelectedGame);
    }
  }
  int32_t available = 0;
  for (int game = 1; game <= TableGames(session.games); ++game) {
    available += std::as_const(session.games.Games)[game].Available == "0" ? 0 : 1;
  }
  if (available != session.games.AvailableCount) {
    return "AvailableCount " + std::to_string(session.games.AvailableCount) + ", the table has " +
           std::to_string(available) + " games available";
  }
  const ScreenModel& screen = session.console.Screen;
  const bool searching = session.navigation.CurrentScreen == Screen::GamesList && list.Search.Open;
  if (screen.CursorVisible != searching) return searching ? "the search's cursor is hidden" : "the cursor shows";
  if (session.navigation.CurrentScreen != Screen::GamesList) return "";
  if (!(wrong = CheckPanel(session)).empty()) return wrong;
  // The window's rows show the entries under it, the selected one
  // highlighted.
  for (int r = 1; r <= WindowRows; ++r) {
    const int32_t e = list.Window.TopLine + r;
    const ViewEntry none;
    const ViewEntry& entry = e <= entries ? list.ViewList[e] : none;
    std::string line = DisplayLine(entry, session.games).Str();
    line = line.substr(std::min(line.size(), static_cast<std::size_t>(list.Window.ColumnOffset)));
    line.resize(WindowColumns, ' ');
    const int row = WindowTop + r - 1;
    if (ShownAround(session, WindowLeft, row, line) != line) {
      return "row " + std::to_string(row) + " shows \"" + TextAt(screen, WindowLeft, row, WindowColumns) +
             "\", entry " + std::to_string(e) + " is \"" + line + "\"";
    }
    // The highlight marks the game that Enter runs.
    bool highlighted = BackgroundAt(screen, WindowLeft, row) != Black;
    if (highlighted != (e == list.SelectedEntry && list.SelectedGame > 0)) {
      return "row " + std::to_string(row) + (highlighted ? " is" : " is not") + " highlighted; selected entry " +
             std::to_string(list.SelectedEntry);
    }
  }
  return "";
}

// What a widget drew on its row; "." where it drew nothing.
std::string Drawn(const ScreenModel& screen, int row) {
  std::string text = TextAt(screen, 1, row, ScreenWidth);
  for (char& c : text) c = c == 0 ? '.' : c;
  return text;
}

// The widgets of the page on display show the settings as they stand: each
// drawn on a blank screen of its own, then compared cell by cell.
std::string CheckOptionsPage(const Session& session) {
  const Page page = session.options.OptionsPage;
  if (page == Page::None) return "the options screen shows no page";
  auto scratch = std::make_unique<Console>();
  for (int i = 0; i < OptionItemCount; ++i) {
    const OptionItem& item = OptionItems[i];
    if (item.OnPage != page || item.Kind == OptionWidget::Label) continue;
    for (auto& row : scratch->Screen.Cells) std::fill(row, row + ScreenWidth, Cell{0, 0});
    DrawOptionWidget(*scratch, item, session.settings, session.options);
    for (int row = 1; row <= ScreenHeight; ++row) {
      for (int column = 1; column <= ScreenWidth; ++column) {
        const Cell& drawn = scratch->Screen.Cells[row - 1][column - 1];
        if ((drawn.Char == 0 && drawn.Attr == 0) || UnderTheBox(session, column, row)) continue;
        const Cell& shown = session.console.Screen.Cells[row - 1][column - 1];
        if (!SameLook(shown, drawn)) {
          std::string wrong = "an option's widget" + Where(column, row) + ": char " + std::to_string(shown.Char) +
                              " attr " + std::to_string(shown.Attr);
          return wrong + " (" + item.Caption + "): the row shows \"" + TextAt(session.console.Screen, 1, row, 80) +
                 "\", the setting draws \"" + Drawn(scratch->Screen, row) + "\"";
        }
      }
    }
  }
  return "";
}

// The viewer's rows show the file's lines under its window.
std::string CheckViewer(const Session& session) {
  const Viewer& viewer = session.viewer;
  if (session.navigation.CurrentScreen != Screen::Viewer || !viewer.FileLoaded) return "";
  for (int r = 1; r <= WindowRows; ++r) {
    const long long line = static_cast<long long>(viewer.Window.TopLine) + r;
    std::string text;
    if (line <= MaxViewerLines) text = viewer.ViewerLines[static_cast<int>(line)].Str();
    text = text.substr(std::min(text.size(), static_cast<std::size_t>(viewer.Window.ColumnOffset)));
    text.resize(WindowColumns, ' ');
    const int row = WindowTop + r - 1;
    if (ShownAround(session, WindowLeft, row, text) != text) {
      return "the viewer's row " + std::to_string(row) + " shows \"" +
             TextAt(session.console.Screen, WindowLeft, row, WindowColumns) + "\", line " + std::to_string(line) +
             " is \"" + text + "\"";
    }
  }
  return "";
}

}  // namespace

// The box, while it asks, stands where it belongs with its question.
std::string CheckBox(const Session& session) {
  if (session.dialog.Asking == Question::None) return "";
  return ExpectText(session.console.Screen, ConfirmColumn + 1, ConfirmRow + 1, "Are You Sure (Y/N)?",
                    AttrOf(White, Red), "the confirmation box");
}

std::string CheckSession(const Session& session) {
  std::string wrong = CheckFrame(session);
  if (wrong.empty()) wrong = CheckBox(session);
  if (wrong.empty()) wrong = CheckGamesList(session);
  if (wrong.empty()) wrong = CheckWindow(session.viewer.Window, "the viewer");
  if (wrong.empty()) wrong = CheckViewer(session);
  if (wrong.empty() && session.navigation.CurrentScreen == Screen::Options) wrong = CheckOptionsPage(session);
  return wrong;
}

std::string CheckSavedSettings(const Session& session) {
  auto settings = std::make_unique<Settings>();
  auto games = std::make_unique<GameTable>();
  LoadSettings(*settings, *games);
  for (const SettingsLine& line : SettingsLines) {
    bool same = true;
    if (line.Integer != nullptr) same = (*settings).*line.Integer == session.settings.*line.Integer;
    if (line.Real != nullptr) same = (*settings).*line.Real == session.settings.*line.Real;
    if (line.Text != nullptr) same = (*settings).*line.Text == session.settings.*line.Text;
    if (line.StoredInteger != nullptr) same = (*games).*line.StoredInteger == session.games.*line.StoredInteger;
    if (line.StoredText != nullptr) same = (*games).*line.StoredText == session.games.*line.StoredText;
    if (!same) return std::string("zeb.ini loads another ") + line.Field;
  }
  for (int game = 1; game <= TableGames(session.games); ++game) {
    for (int field = 1; field <= FieldsPerGame; ++field) {
      const ShortString& loaded = GameField(std::as_const(games->Games)[game], field);
      const ShortString& held = GameField(std::as_const(session.games.Games)[game], field);
      if (!(loaded == held)) {
        return "zeb.ini loads field " + std::to_string(field) + " of game " + std::to_string(game) + " as \"" +
               loaded.Str() + "\", the session holds \"" + held.Str() + "\"";
      }
    }
  }
  return "";
}

}  // namespace zeb::soak
