#pragma once
// The fixture of the screen tests: the records of a run at their start
// values with the default settings, a scripted console and a temporary
// current directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop.h"
#include "ui/screen.h"

namespace zeb::ui_testing {

// A scripted console that also keeps what the main loop's tests look for:
// the times the program waited for input (a loop that spins never does),
// and the first five characters of the list window each time a showing
// changed them.
class LoopBackend : public ScriptedBackend {
 public:
  void WaitInput() override {
    ++Waits;
    ScriptedBackend::WaitInput();
  }
  void Present(const ScreenModel& screen) override {
    ScriptedBackend::Present(screen);
    std::string top = TextAt(screen, 2, 4, 5);
    if (WindowTops.empty() || WindowTops.back() != top) WindowTops.push_back(top);
  }
  int Waits = 0;
  std::vector<std::string> WindowTops;
};

class ScreenTest : public testing_support::ProgramTest<LoopBackend> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetDefaultSettings(settings, options.Captions);
  }

  // The first screen, as the start-up shows and draws it.
  void Start() {
    ShowScreen(session, navigation.CurrentScreen, options.OptionsPage);
    Draw();
  }
  // The screen drawn from the records as they stand.
  void Draw() { DrawScreen(console, session); }

  // Runs the loop on the queued script, which Esc and "y" end.
  void Run() {
    backend.Keys("\x1by");
    EXPECT_NO_THROW(MainLoop(session));
    EXPECT_TRUE(backend.ScriptDone());
  }

  // Appends a game to the table; returns its game number.
  int AddGame(std::string_view driver, std::string_view description, std::string_view cloneOf = "",
              std::string_view category = "", std::string_view available = "1", std::string_view cheats = "") {
    GameRecord& game = games.Games[++games.GameCount];
    game.DriverName = driver;
    game.Description = description;
    game.CloneOf = cloneOf;
    game.Category = category;
    game.Available = available;
    game.CheatCount = cheats;
    return games.GameCount;
  }

  // `count` parent games named g0001, g0002, ... (all available).
  void AddGames(int count) {
    for (int i = 1; i <= count; ++i) {
      std::string number = std::to_string(i);
      std::string name = "g";
      name.append(4 - std::min<std::size_t>(4, number.size()), '0');
      name += number;
      AddGame(name, "Game " + number);
    }
  }

  // The stand-in emulator as mame.exe: it ends at once, and each launch
  // adds a line to launch.log that begins with the game's driver name.
  static void MakeQuietEmulator() {
    std::filesystem::copy_file(ZEB_STANDIN, "mame.exe", std::filesystem::copy_options::overwrite_existing);
  }

  // The text entry `e` of the games list shows.
  std::string Line(int e) const { return DisplayLine(list.ViewList[e], games).Str(); }

  testing_support::TempDir dir;
};

}  // namespace zeb::ui_testing
