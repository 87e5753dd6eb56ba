// Running the emulator on the selected game and coming back to the list.

#include <cerrno>
#include <cstring>
#include <string>

#include "console/colours.h"
#include "emulator/launch.h"
#include "gamedb/gamedb.h"
#include "storage/fatal.h"
#include "storage/file_system.h"

namespace zeb {

namespace {

// A launch that could not run: the reason under the message, a key, and the
// screen as it was before the launch.
void ShowLaunchFailure(Console& console, const std::string& message, const ScreenModel& before) {
  console.PutText(message, {1, 3}, {LightRed, Black});
  console.PutText("Press any key to continue.....", {1, ScreenHeight}, {White, Black});
  console.GetKey();
  console.Screen = before;
  console.RepaintAll();
}

}  // namespace

void LaunchGame(int32_t game, const GameTable& table, const Settings& settings, Console& console,
                LaunchScreen& screen, EmulatorAnswer& answer) {
  const ShortString driverName = table.Games[game].DriverName;
  if (!RomArchiveExists(settings, driverName)) return;

  const ScreenModel before = console.Screen;
  screen.Clear();
  console.PutText("Starting Mame...", {1, 1}, {White, Black});

  // The whole path is kept for the way back.
  const std::string previousDir = GetCurrentDir();
  if (previousDir.empty()) FatalIo("Cannot read the current directory", ".");
  if (!settings.MamePath.Empty() && !SetCurrentDir(settings.MamePath)) {
    std::string message = "Cannot enter the directory " + settings.MamePath.Str() + ": " + std::strerror(errno);
    ShowLaunchFailure(console, message, before);
    return;
  }

  // Without a directory of its own the emulator may also be an installed
  // program on the search path.
  const ProgramFile emulator = ResolveProgram(settings.ExeName, settings.MamePath.Empty());
  // Before the first launch of a run, the emulator is asked which options
  // it knows: today's answers, the classic one does not.
  if (!answer.Asked && !emulator.Path.empty()) {
    answer.Known = AskEmulatorOptions(emulator);
    answer.Asked = true;
  }
  CommandLineSlots slots;
  BuildCommandOptions(settings, DecimalSeparator(), answer.Known, slots);
  if (!slots.LeftOut.empty()) console.PutText(LeftOutLine(slots.LeftOut), {1, 2}, {LightGrey, Black});

  ShortString arguments = driverName;
  arguments += ' ';
  arguments += slots.CommandOptions;
  RunOutcome run = RunProgramFile(console, emulator, settings.ExeName, arguments);

  if (!run.Started) {
    if (!SetCurrentDir(previousDir)) FatalIo("Cannot change back to the directory", previousDir);
    ShowLaunchFailure(console, "Cannot run " + settings.MamePath.Str() + settings.ExeName.Str() + ": " + run.Reason,
                      before);
    return;
  }

  if (settings.PauseAfterMame == 1) {
    console.PutText("Press any key to continue.....", {1, ScreenHeight}, {White, Black});
    console.GetKey();
  }

  if (!SetCurrentDir(previousDir)) FatalIo("Cannot change back to the directory", previousDir);
  screen.Redraw();
  // The emulator's output stayed readable up to here; now every cell is ours.
  console.RepaintAll();
}

}  // namespace zeb
