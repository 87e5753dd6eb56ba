// What the Windows console is given for one step of the games list and for
// a key that changes nothing, on a full table (MaxGames): the cells written
// (4 bytes each, a CHAR_INFO) when the screen is shown after the key, with
// the key put into the console's input as the keyboard would.

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "console/console_win32.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/list_window.h"
#include "ui/main_loop.h"
#include "ui/screen.h"
#include "ui/session.h"

namespace zeb {
namespace {

HANDLE OpenConsole(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

void BuildTable(Session& session) {
  SetDefaultSettings(session.settings, session.options.Captions);
  GameTable& games = session.games;
  games.MameVersion = "0.37b5";
  for (int i = 1; i <= MaxGames; ++i) {
    GameRecord& game = games.Games[i];
    std::string number = std::to_string(1000000 + i).substr(1);
    game.DriverName = "game" + number;
    game.Description = "Space Dragon Fighter number " + number + " (19" + std::to_string(80 + i % 20) + ")";
    if (i % 4 == 0) game.CloneOf = games.Games[i - 1].DriverName;
    game.Category = i % 2 ? "Shooter / Flying Vertical" : "Platform";
    game.Available = i % 3 ? "1" : "0";
  }
  games.GameCount = MaxGames;
}

// The cells written to show the screen after one key.
long long CellsForKey(HANDLE input, Win32ConsoleBackend& backend, Session& session, WORD virtualKey, WORD scan) {
  INPUT_RECORD record{};
  record.EventType = KEY_EVENT;
  record.Event.KeyEvent.bKeyDown = TRUE;
  record.Event.KeyEvent.wRepeatCount = 1;
  record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
  record.Event.KeyEvent.wVirtualScanCode = scan;
  DWORD written = 0;
  WriteConsoleInputA(input, &record, 1, &written);
  const long long before = backend.CellsWritten();
  Console& console = session.console;
  KeyPress key;
  while (!console.TakeKey(key)) console.WaitForInput();
  DispatchKey(session, key);
  DrawScreen(console, session);
  console.Pause(0);  // shows the screen
  return backend.CellsWritten() - before;
}

TEST(ListKeyCells, ADownStepWritesTheListRowsAndAKeyThatChangesNothingWritesNothing) {
  HANDLE input = OpenConsole("CONIN$");
  HANDLE output = OpenConsole("CONOUT$");
  ASSERT_NE(input, INVALID_HANDLE_VALUE) << "the test needs a console (run it through cmake/wine-console.sh)";
  DWORD originalMode = 0;
  GetConsoleMode(input, &originalMode);
  FlushConsoleInputBuffer(input);
  Win32ConsoleBackend backend(input, output);
  ASSERT_TRUE(backend.Start());
  Console console(&backend);
  Session session(console);
  BuildTable(session);
  ShowScreen(session, Screen::GamesList, Page::None);
  // Well inside the list, where a step both ways is possible.
  session.list.Window.TopLine = 2000;
  DrawScreen(console, session);
  console.Pause(0);

  const long long downCells = CellsForKey(input, backend, session, VK_DOWN, 80);
  const long long unchangedCells = CellsForKey(input, backend, session, VK_NEXT, 81);
  std::cout << "down step: " << downCells << " cells, " << downCells * sizeof(CHAR_INFO) << " bytes; "
            << "a key that changes nothing: " << unchangedCells * sizeof(CHAR_INFO) << " bytes\n";
  ::testing::Test::RecordProperty("down_step_bytes", std::to_string(downCells * sizeof(CHAR_INFO)));
  EXPECT_EQ(unchangedCells, 0);
  // The list moved up one row: its 21 rows change, nothing beyond the list
  // and the panel's details.
  EXPECT_GT(downCells, 0);
  EXPECT_LE(downCells, 23 * ScreenWidth);

  console.Restore();
  SetConsoleMode(input, originalMode);
  CloseHandle(input);
  CloseHandle(output);
}

}  // namespace
}  // namespace zeb
