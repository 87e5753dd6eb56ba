// Running the emulator on the selected game and coming back to the list.

#include <string>

#include "console/colours.h"
#include "console/console.h"
#include "core/fatal.h"
#include "core/file_system.h"
#include "core/state.h"
#include "gamedb/gamedb.h"
#include "launch/launch.h"
#include "settings/settings.h"

namespace zeb {

namespace {

const LaunchScreen* GameScreen = nullptr;  // the screen the interface handed over

}  // namespace

void SetLaunchScreen(const LaunchScreen* screen) { GameScreen = screen; }

void LaunchGame() {
  const ShortString driverName = Games[SelectedGame].DriverName;
  if (!RomArchiveExists(driverName)) return;

  if (GameScreen != nullptr) GameScreen->Clear();
  BuildCommandOptions();
  PutText("Starting Mame...", 1, 1, White, Black);

  // The whole path is kept for the way back; WorkLine holds what fits.
  const std::string previousDir = GetCurrentDir();
  if (previousDir.empty()) FatalIo("Cannot read the current directory", ".");
  WorkLine = previousDir;
  if (!MamePath.Empty() && !SetCurrentDir(MamePath)) FatalIo("Cannot change to the directory", MamePath);

  ShortString arguments = driverName;
  arguments += ' ';
  arguments += CommandOptions;
  RunAndWait(ExeName, arguments);

  if (PauseAfterMame == 1) {
    PutText("Press any key to continue.....", 1, ScreenHeight, White, Black);
    LastKey = GetKey();
  }

  if (!SetCurrentDir(previousDir)) FatalIo("Cannot change back to the directory", previousDir);
  if (GameScreen != nullptr) GameScreen->Redraw();
  // The emulator's output stayed readable up to here; now every cell is ours.
  ConsoleRepaintAll();
}

}  // namespace zeb
