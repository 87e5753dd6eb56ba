// Running the emulator on the selected game and coming back to the list.

#include <cerrno>
#include <cstring>
#include <string>

#include "console/colours.h"
#include "console/console.h"
#include "storage/fatal.h"
#include "storage/file_system.h"
#include "storage/state.h"
#include "gamedb/gamedb.h"
#include "emulator/launch.h"
#include "settings/settings.h"

namespace zeb {

namespace {

const LaunchScreen* GameScreen = nullptr;  // the screen the interface handed over

}  // namespace

void SetLaunchScreen(const LaunchScreen* screen) { GameScreen = screen; }

namespace {

// A launch that could not run: the reason under the message, a key, and the
// screen as it was before the launch.
void ShowLaunchFailure(const std::string& message, const ScreenModel& before) {
  PutText(message, 1, 3, LightRed, Black);
  PutText("Press any key to continue.....", 1, ScreenHeight, White, Black);
  LastKey = GetKey();
  Screen = before;
  ConsoleRepaintAll();
}

}  // namespace

void LaunchGame() {
  const ShortString driverName = Games[SelectedGame].DriverName;
  if (!RomArchiveExists(driverName)) return;

  const ScreenModel before = Screen;
  if (GameScreen != nullptr) GameScreen->Clear();
  BuildCommandOptions();
  PutText("Starting Mame...", 1, 1, White, Black);

  // The whole path is kept for the way back; WorkLine holds what fits.
  const std::string previousDir = GetCurrentDir();
  if (previousDir.empty()) FatalIo("Cannot read the current directory", ".");
  WorkLine = previousDir;
  if (!MamePath.Empty() && !SetCurrentDir(MamePath)) {
    std::string message = "Cannot enter the directory " + MamePath.Str() + ": " + std::strerror(errno);
    ShowLaunchFailure(message, before);
    return;
  }

  ShortString arguments = driverName;
  arguments += ' ';
  arguments += CommandOptions;
  // Without a directory of its own the emulator may also be an installed
  // program on the search path.
  RunOutcome run = RunProgramFile(ResolveProgram(ExeName, MamePath.Empty()), ExeName, arguments);

  if (!run.Started) {
    if (!SetCurrentDir(previousDir)) FatalIo("Cannot change back to the directory", previousDir);
    ShowLaunchFailure("Cannot run " + MamePath.Str() + ExeName.Str() + ": " + run.Reason, before);
    return;
  }

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
