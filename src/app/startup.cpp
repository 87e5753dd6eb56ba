#include "app/startup.h"

#include <cstdlib>

#include "emulator/make_lists.h"
#include "console/colours.h"
#include "console/console.h"
#include "storage/fatal.h"
#include "storage/file_system.h"
#include "storage/state.h"
#include "storage/work_file.h"
#include "gamedb/gamedb.h"
#include "emulator/launch.h"
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

// Below the messages of the batch-file road: the key for the road without it.
constexpr int MakeListsRow = 7;
constexpr const char* MakeListsOffer = "Or press M: ZEB runs the emulator to make the lists now, then imports them";

void CountAvailableGames() {
  for (int game = 1; game <= GameCount; ++game) {
    if (!(Games[game].Available == "0")) ++AvailableCount;
  }
}

// The lists are missing: the batch file and its messages, then a key. Any
// key ends the program, but M, which has the lists made here and now; the
// program ends also when they cannot be made.
void AskForTheLists() {
  PutText("Please run the RunMe.bat!", 1, 1, White, LightRed);
  if (!FileExists("RunMe.bat")) {
    PutText("Making RunMe.bat", 1, 3, White, Green);
    WorkFile.Create("RunMe.bat");
    for (const char* line : RunMeLines) WorkFile.WriteLine(line);
    WorkFile.Close();
  }
  PutText("Press a key to exit", 1, 5, White, Black);
  PutText(MakeListsOffer, 1, MakeListsRow, Yellow, Black);
  LastKey = GetKey();
  if (LastKey == 'M' || LastKey == 'm') {
    if (MakeLists()) return;  // the import's progress follows below the commands
    ProgressLine();
    SetColours(White, Black);
    ProgressWrite("Press a key to exit");
    LastKey = GetKey();
  }
  // The terminal is given back on this road too: a terminal left in raw
  // mode with mouse reporting on would be unusable.
  ConsoleRestore();
  std::exit(0);
}

}  // namespace

void FirstRun() {
  if (!(FileExists("listfull.txt") && FileExists("listclones.txt"))) AskForTheLists();

  // A game list without games would make an empty table for good: better to
  // stop, keep the lists for a look, and import again at the next start.
  if (!HasGameLine()) {
    Fatal("listfull.txt holds no games (no line after its first has a driver name); check that the emulator "
          "runs and that listfull.txt holds what \"mame -listfull\" prints, or delete it to have the lists "
          "made again");
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
    // Found as the launch finds it; whether it ran is not looked at.
    RunProgramFile(ResolveProgram("mame.exe", true), "mame.exe", "-cc");
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
