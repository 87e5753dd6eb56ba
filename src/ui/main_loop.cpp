// The main loop: one pass acts on a held left button, on wheel notches and
// on a waiting key, draws the screen, then carries out what they left to do.
// A click runs on every pass while the left button is down, so a held click
// repeats at the rate of the pauses of what it acts on.

#include "ui/main_loop.h"

#include <ctime>
#include <string>

#include "console/keys.h"
#include "settings/settings.h"
#include "audit/game_table_audit.h"
#include "emulator/make_lists.h"
#include "gamedb/gamedb.h"
#include "machines/machine_file.h"
#include "ui/games_list.h"
#include "ui/information.h"
#include "ui/key_table.h"
#include "ui/layout.h"
#include "ui/list_window.h"
#include "ui/options_screen.h"
#include "ui/screen.h"
#include "ui/text_viewer.h"

namespace zeb {

namespace {

bool ShowsListWindow(const Navigation& navigation) {
  return navigation.CurrentScreen == Screen::GamesList || navigation.CurrentScreen == Screen::Viewer;
}

// The window of the screen on display: the games list's, or the viewer's.
ListWindow& WindowOnDisplay(const Navigation& navigation, GamesList& list, Viewer& viewer) {
  return navigation.CurrentScreen == Screen::Viewer ? viewer.Window : list.Window;
}

// What takes the keys: the box while it asks, the line editor while it is
// open, else the screen on display.
KeyPlace PlaceOfKeys(const Dialog& dialog, const OptionsScreen& options, const Navigation& navigation,
                     const GamesList& list) {
  if (dialog.Asking != Question::None) return KeyPlace::Question;
  if (options.Editor.Open) return KeyPlace::LineEditor;
  switch (navigation.CurrentScreen) {
    case Screen::GamesList: return list.Search.Open ? KeyPlace::Search : KeyPlace::GamesList;
    case Screen::Options: return KeyPlace::Options;
    case Screen::Viewer: return KeyPlace::Viewer;
  }
  return KeyPlace::GamesList;
}

// The box and the line editor take the keys and nothing else: clicks and
// the wheel do nothing while they are open.
bool TakesOnlyKeys(const Dialog& dialog, const OptionsScreen& options) {
  return dialog.Asking != Question::None || options.Editor.Open;
}

// F2: the selected game a favourite, or no more; the file written at once.
void ToggleFavourite(GamesList& list, const GameTable& games, Favourites& favourites) {
  if (list.SelectedEntry <= 0 || list.SelectedGame <= 0 || list.SelectedGame > TableGames(games)) return;
  const ShortString& name = games.Games[list.SelectedGame].DriverName;
  std::string reason;
  if (!favourites.Toggle(name, reason)) list.Notice = reason;
  if (list.Search.Open) list.Search.Finder.SetFavourite(list.SelectedGame, favourites.Contains(name));
}

// The selected game is to run: without the machine information as always
// (the launch looks for its archive); with it, a game judged missing does
// not run, and the list says why.
Outcome AskToRun(GamesList& list, const GameTable& games, Information& information, const Settings& settings,
                 LaunchFrom from) {
  if (!RunsSelectedGame(list, from)) return {};
  const int32_t game = list.SelectedGame;
  if (information.Machines.Of(game) == nullptr || game > TableGames(games) || !(games.Games[game].Available == "0")) {
    return Outcome::Starting(Task::RunGame);
  }
  const std::string name = games.Games[game].DriverName.Str();
  auto known = information.WhyMissing.find(name);
  if (known == information.WhyMissing.end()) {
    // Judged again now, from the file and the ROM sets as they are.
    std::vector<MachineInfo> all;
    std::string reason;
    if (ReadMachineFile(all).Trusted()) reason = ExplainMissing(name, all, settings);
    if (reason.empty()) return Outcome::Starting(Task::RunGame);
    known = information.WhyMissing.emplace(name, reason).first;
  }
  list.Notice = known->second;
  return {};
}

// A launch that ran the emulator is recorded among the games played.
void RecordPlayed(GamesList& list, const GameTable& games, PlayedGames& played, bool ran) {
  if (!ran || list.SelectedGame <= 0 || list.SelectedGame > TableGames(games)) return;
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  std::string reason;
  if (!played.Record(games.Games[list.SelectedGame].DriverName, now, reason)) list.Notice = reason;
  if (list.Search.Open) list.Search.Finder.SetPlayed(list.SelectedGame, now);
}

void LeaveMessage(OptionsScreen& options, std::string_view message) {
  options.Message = message;
  options.FieldsOverMessage = false;
}

// The wheel scrolls the games list, and the viewer when it holds a file (on
// its picture a scroll would show nothing); anywhere else it does nothing.
void ScrollByWheelOnDisplay(const Navigation& navigation, GamesList& list, Viewer& viewer, int notches) {
  const Screen screen = navigation.CurrentScreen;
  if (screen == Screen::GamesList || (screen == Screen::Viewer && viewer.FileLoaded)) {
    ScrollByWheel(WindowOnDisplay(navigation, list, viewer), notches);
  }
}

// A click on the list window: a row of the games list, or a scroll arrow.
void ClickListWindow(Console& console, const Navigation& navigation, GamesList& list, Viewer& viewer, Point at) {
  const bool inWindow =
      at.Column >= WindowLeft && at.Column <= WindowRight && at.Row >= WindowTop && at.Row <= WindowBottom;
  if (navigation.CurrentScreen == Screen::GamesList && inWindow) ClickListRow(list, at.Row);
  ClickScrollArrow(console, WindowOnDisplay(navigation, list, viewer), at);
}

std::span<const PanelButton> ButtonsOf(Screen screen) {
  switch (screen) {
    case Screen::GamesList: return GamesListButtons;
    case Screen::Options: return OptionsButtons;
    case Screen::Viewer: return ViewerButtons;
  }
  return {};
}

// The refresh: the emulator's machine information made anew when the
// emulator answers with another version than the information's; every
// game judged with it (or, without it, its archive looked for), with the
// categories, the cheats and a save; zeb.ini read back, the list shown
// anew. The notice reaches the screen before the work, which takes a while;
// Esc stops the information's making (the old one serves) and the judging
// (the refresh then changes nothing). A problem is the list's notice.
void RefreshGamesList(Console& console, GameTable& games, Settings& settings, Information& information,
                      GamesList& list) {
  console.Pause(0);
  const ProgramFile emulator = ResolveProgram(ListsEmulatorName, true);
  const std::string version = EmulatorVersion(emulator);
  std::string problem;
  if (!version.empty() && (!information.Machines.Known() || information.Version != version)) {
    const InformationRun made = MakeMachineInformation(console, emulator, TableGames(games), RefreshBarRow);
    if (made.Outcome == InformationMade::Failed) problem = made.Reason;
  }
  GameMachines machines;
  std::string unusable;  // the file's own problem, said when the making had none to say
  const Judgement judged =
      JudgeWithInformation(console, games, machines, settings, information.WhyMissing, RefreshBarRow + 1, unusable);
  if (problem.empty()) problem = unusable;
  bool saved = false;
  if (judged == Judgement::Judged) {
    information.Machines = std::move(machines);
    if (!version.empty()) information.Version = version;
    saved = RefreshCategoriesAndCheats(games, settings, console);
  } else if (judged == Judgement::WithoutInformation) {
    information = Information{};
    saved = ScanRomAvailability(games, settings, console);
  }
  if (judged != Judgement::Stopped) {
    if (!saved) SaveSettings(settings, games);
    LoadSettings(settings, games);
  }
  list.AvailabilityJudged = information.Machines.Known();
  RebuildList(list, games, settings, list.ListFilter);
  list.Notice = problem;
}

// What a panel button does, carried out on the records it changes.
Outcome PressButton(Session& session, const PanelButton& button, int column) {
  switch (button.Action) {
    case ButtonAction::RunGame:
      return AskToRun(session.list, session.games, session.information, session.settings, LaunchFrom::RunGameButton);
    case ButtonAction::AskToRefresh: session.dialog.Asking = Question::RefreshList; return {};
    case ButtonAction::ChangeFilter:
      ChangeFilter(session.console, session.list, session.games, session.settings, column);
      return {};
    case ButtonAction::LoadConfig:
      LoadSettings(session.settings, session.games);
      ShowScreen(session, Screen::Options, Page::Paths);
      LeaveMessage(session.options, "Config Loaded");
      return {};
    case ButtonAction::SaveConfig:
      SaveSettings(session.settings, session.games);
      LeaveMessage(session.options, "Config Saved ");
      return {};
    case ButtonAction::AskToReset: session.dialog.Asking = Question::DefaultConfig; return {};
    case ButtonAction::ViewFile: return ViewFile(session.viewer, button.File);
  }
  return {};
}

// Acts on the left button at the mouse's position (held or just pressed):
// the close mark, the panel, the list window and the options page, each
// where it lies.
Outcome HandleClick(Session& session) {
  Console& console = session.console;
  const Point at{console.MouseColumn, console.MouseRow};
  const int c = at.Column;
  const int r = at.Row;
  Navigation& navigation = session.navigation;
  Outcome outcome;
  if (c == 1 && r == 1) session.dialog.Asking = Question::CloseMark;
  if (c >= PanelColumn && r >= PanelSwitchRow) {
    // The screen switch on the panel's first row: every switch shows the
    // text from its first column and the options screen on its first page;
    // one to the right opens the viewer on its picture.
    const int step = r != PanelSwitchRow                                                   ? 0
                     : c == PanelColumn && navigation.CurrentScreen != Screen::GamesList   ? -1
                     : c == PanelLastColumn && navigation.CurrentScreen != Screen::Viewer ? +1
                                                                                           : 0;
    if (step != 0) {
      // Leaving the games list ends its search.
      CloseSearch(session.list, session.games, session.settings);
      session.list.Window.ColumnOffset = 0;
      session.viewer.Window.ColumnOffset = 0;
      if (step > 0) session.viewer.FileLoaded = false;
      const auto screen = static_cast<Screen>(static_cast<int32_t>(navigation.CurrentScreen) + step);
      ShowScreen(session, screen, Page::Paths);
    }
    if (c <= PanelLastColumn) {
      if (const PanelButton* button = PanelButtonAt(ButtonsOf(navigation.PanelScreen), r)) {
        outcome |= PressButton(session, *button, c);
      }
    }
  }
  if (ShowsListWindow(navigation) && WindowOnDisplay(navigation, session.list, session.viewer).EntryCount > 0) {
    ClickListWindow(console, navigation, session.list, session.viewer, at);
  }
  if (navigation.CurrentScreen == Screen::Options) HandleOptionsClick(console, session.options, session.settings, at);
  return outcome;
}

}  // namespace

// What a key does, as its row in the key table says, carried out on the
// records it changes.
Outcome DispatchKey(Session& session, KeyPress key) {
  const KeyPlace place = PlaceOfKeys(session.dialog, session.options, session.navigation, session.list);
  const KeyBinding* row = FindKeyBinding(place, key);
  // The list's notice stays until the next key.
  session.list.Notice.Clear();
  if (row == nullptr) return {};
  GamesList& list = session.list;
  GameTable& games = session.games;
  const Settings& settings = session.settings;
  Dialog& dialog = session.dialog;
  switch (row->Action) {
    case KeyAction::Scroll: {
      ListWindow& window = WindowOnDisplay(session.navigation, list, session.viewer);
      if (window.EntryCount > 0) ScrollByKey(window, key.Code);
      return {};
    }
    case KeyAction::JumpToLetter: JumpToLetter(list, games, key.Code); return {};
    case KeyAction::OpenSearch:
      OpenSearch(list, games, session.information.Machines, session.favourites, session.played);
      return {};
    case KeyAction::PickMatch: PickMatch(list, key.Code); return {};
    case KeyAction::ToggleFavourite: ToggleFavourite(list, games, session.favourites); return {};
    case KeyAction::TypeInSearch: TypeInSearch(list, games, key.Code); return {};
    case KeyAction::EraseInSearch: EraseInSearch(list, games, settings); return {};
    case KeyAction::CloseSearch: CloseSearch(list, games, settings); return {};
    case KeyAction::RunSelectedGame:
      return AskToRun(list, games, session.information, settings, LaunchFrom::Key);
    case KeyAction::AskToQuit: dialog.Asking = Question::Quit; return {};
    case KeyAction::Edit: EditOption(session.options, session.settings, key); return {};
    case KeyAction::AnswerNo: {
      const Question question = dialog.Asking;
      dialog.Asking = Question::None;
      // A no shows the whole screen anew; after the quit's, the list window
      // shows again what it showed (the viewer's file, not its picture),
      // and the Esc read by the loop goes on to the letter jump.
      ShowScreen(session, session.navigation.CurrentScreen, session.options.OptionsPage);
      if (question == Question::Quit || question == Question::CloseMark) session.viewer.PageShown = session.viewer.FileLoaded;
      if (question == Question::Quit && session.navigation.CurrentScreen == Screen::GamesList) {
        JumpToLetter(list, games, Key::Esc);
      }
      return {};
    }
    case KeyAction::AnswerYes: {
      const Question question = dialog.Asking;
      dialog.Asking = Question::None;
      switch (question) {
        case Question::None: return {};
        case Question::Quit:
        case Question::CloseMark: return Outcome::Quitting();
        case Question::RefreshList:
          // The table is read anew: a search open on the old one ends.
          CloseSearch(list, games, settings);
          dialog.Refreshing = true;
          return Outcome::Starting(Task::RefreshList);
        case Question::DefaultConfig:
          SetDefaultSettings(session.settings, session.options.Captions);
          list.ListFilter = Filter::AllGames;
          ShowScreen(session, Screen::Options, Page::Paths);
          LeaveMessage(session.options, "Config Reset ");
          return {};
      }
      return {};
    }
  }
  return {};
}

void MainLoop(Session& session) {
  while (MainLoopPass(session)) {
  }
}

bool MainLoopPass(Session& session) {
  Console& console = session.console;
  const ScreenModel before = console.Screen;
  const long long pauses = console.PauseCount();
  // A task runs on the screen as drawn after what asked for it.
  const auto carryOut = [&session, &console](Task task) {
    if (task == Task::None) return;
    DrawScreen(console, session);
    RunTask(session, task);
  };
  const bool held = console.MouseButton == 1;
  if (held && !TakesOnlyKeys(session.dialog, session.options)) carryOut(HandleClick(session).Then);
  KeyPress key;
  const bool keyWaiting = console.TakeKey(key);
  // The wheel notches of this poll, added up: one scroll, then the key.
  const int notches = console.TakeWheelNotches();
  if (notches != 0 && !TakesOnlyKeys(session.dialog, session.options)) {
    ScrollByWheelOnDisplay(session.navigation, session.list, session.viewer, notches);
  }
  if (keyWaiting) {
    const Outcome pressed = DispatchKey(session, key);
    if (pressed.Quit) return false;
    carryOut(pressed.Then);
  }
  DrawScreen(console, session);
  // A held click that neither changes the screen nor sets a pace of its own
  // would change nothing when it ran again: the loop waits for the next
  // input (the pointer moving, the release) instead. A held button that
  // does something keeps the loop running, so that the click repeats at
  // the rate its pauses set.
  const bool heldInVain = held && console.PauseCount() == pauses && SameScreen(before, console.Screen);
  if (!keyWaiting && notches == 0 && (console.MouseButton != 1 || heldInVain)) console.WaitForInput();
  return true;
}

void RunTask(Session& session, Task task) {
  switch (task) {
    case Task::None: break;
    case Task::RunGame: RecordPlayed(session.list, session.games, session.played, LaunchSelectedGame(session)); break;
    case Task::RefreshList:
      RefreshGamesList(session.console, session.games, session.settings, session.information, session.list);
      session.dialog.Refreshing = false;
      ShowScreen(session, session.navigation.CurrentScreen, session.options.OptionsPage);
      break;
    case Task::FileMissing:
      // The notice stays for a moment; then the window shows the emptied
      // page.
      session.console.Pause(500);
      EndFileMissing(session.viewer);
      break;
  }
}

}  // namespace zeb
