// Running the emulator on the selected game and coming back to the list.

#include <string>

#include "console/console.h"
#include "core/fatal.h"
#include "core/file_system.h"
#include "core/state.h"
#include "gamedb/gamedb.h"
#include "launch/launch.h"
#include "ui/frame.h"
#include "ui/main_loop.h"

namespace zeb {

void LaunchGame() {
  const ShortString driverName = Games[SelectedGame].DriverName;
  if (!RomArchiveExists(driverName)) return;

  FillBox(0, 15, 0, 1, 1, ScreenWidth, ScreenHeight);
  BuildCommandOptions();
  PutText("Starting Mame...", 1, 1, 15, 0);

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
    PutText("Press any key to continue.....", 1, ScreenHeight, 15, 0);
    LastKey = GetKey();
  }

  if (!SetCurrentDir(previousDir)) FatalIo("Cannot change back to the directory", previousDir);
  RedrawScreen();
  DrawScreenBody(0, 0);
  // The emulator's output stayed readable up to here; now every cell is ours.
  ConsoleRepaintAll();
}

}  // namespace zeb
