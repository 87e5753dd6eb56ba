#include "app/startup.h"

#include <cstdlib>

#include "console/colours.h"
#include "console/console.h"
#include "core/file_system.h"
#include "core/state.h"
#include "core/work_file.h"
#include "gamedb/gamedb.h"
#include "launch/launch.h"
#include "settings/settings.h"
#include "ui/frame.h"
#include "ui/games_list.h"
#include "ui/main_loop.h"

namespace zeb {

namespace {

// The batch file that has the emulator write its lists, then starts us again.
constexpr const char* RunMeLines[] = {
    "@echo off",
    "CLS",
    "Echo Making Files Lists For ZEB. These Files will be deleted by ZEB Later...",
    "mame -? >ver.txt",
    "mame -listfull >listfull.txt -sortdriver",
    "mame -listclones >listclones.txt -sortdriver",
    "zeb.exe",
};

void CountAvailableGames() {
  for (int game = 1; game <= GameCount; ++game) {
    if (!(Games[game].Available == "0")) ++AvailableCount;
  }
}

}  // namespace

void FirstRun() {
  if (!(FileExists("listfull.txt") && FileExists("listclones.txt"))) {
    PutText("Please run the RunMe.bat!", 1, 1, White, LightRed);
    if (!FileExists("RunMe.bat")) {
      PutText("Making RunMe.bat", 1, 3, White, Green);
      WorkFile.Create("RunMe.bat");
      for (const char* line : RunMeLines) WorkFile.WriteLine(line);
      WorkFile.Close();
    }
    PutText("Press a key to exit", 1, 5, White, Black);
    LastKey = GetKey();
    // The terminal is given back on this road too: a terminal left in raw
    // mode with mouse reporting on would be unusable.
    ConsoleRestore();
    std::exit(0);
  }

  SetDefaultSettings();
  ProgressLine();
  ReadMameVersion();
  ImportGameNames();
  ImportClones();
  ImportCategories();
  ImportCheatCounts();
  if (!FileExists(SettingsFileName)) SaveSettings();
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt", "RunMe.bat"}) DeleteFile(name);
}

int Main() {
  ConsoleOpen();
  SetLaunchScreen(&GamesListLaunchScreen);
  SetStartValues();
  RemoveEmptyDirectory("datasave");
  HideCursor();
  if (!FileExists("mame.ini")) {
    RunAndWait("mame.exe", "-cc");
    ConsoleRepaintAll();
  }
  if (!FileExists(SettingsFileName)) FirstRun();
  if (FileExists(SettingsFileName)) LoadSettings();
  CountAvailableGames();
  RedrawScreen();
  EnableMouse();
  MainLoop();
  SetColours(LightGrey, Black);
  ClearScreen();
  ShowCursor();
  ConsoleRestore();
  return 0;
}

}  // namespace zeb
