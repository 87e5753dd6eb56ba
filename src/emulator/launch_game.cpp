// Running the emulator on the selected game and coming back to the list.

#include <string>
#include <vector>

#include "console/colours.h"
#include "emulator/launch.h"
#include "emulator/program_file.h"
#include "gamedb/gamedb.h"

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

bool LaunchGame(int32_t game, const GameTable& table, const Settings& settings, Console& console,
                LaunchScreen& screen, EmulatorAnswer& answer, bool judged) {
  const ShortString driverName = table.Games[game].DriverName;
  if (!judged && !RomArchiveExists(settings, driverName)) return false;

  const ScreenModel before = console.Screen;
  screen.Clear();
  console.PutText("Starting Mame...", {1, 1}, {White, Black});

  // The emulator runs in its own directory; ours stays as it is.
  if (!settings.MamePath.Empty()) {
    const std::string problem = DirectoryProblem(settings.MamePath.Str());
    if (!problem.empty()) {
      ShowLaunchFailure(console, "Cannot enter the directory " + settings.MamePath.Str() + ": " + problem, before);
      return false;
    }
  }

  // Without a directory of its own the emulator may also be an installed
  // program on the search path.
  const ProgramFile emulator = ResolveProgram(settings.ExeName, settings.MamePath.Empty(), settings.MamePath.Str());
  // Before the first launch of a run, the emulator is asked which options
  // it knows: today's answers, the classic one does not.
  if (!answer.Asked && !emulator.Path.empty()) {
    answer.Known = AskEmulatorOptions(emulator);
    answer.Asked = true;
  }
  CommandLineSlots slots;
  BuildCommandOptions(settings, DecimalSeparator(), answer.Known, slots);
  if (!slots.LeftOut.empty()) console.PutText(LeftOutLine(slots.LeftOut), {1, 2}, {LightGrey, Black});

  std::vector<CommandWord> arguments{CommandWord{driverName.Str(), 1}};
  arguments.insert(arguments.end(), slots.CommandOptions.begin(), slots.CommandOptions.end());
  RunOutcome run = RunProgramWords(console, emulator, arguments);

  if (!run.Started) {
    ShowLaunchFailure(console, "Cannot run " + settings.MamePath.Str() + settings.ExeName.Str() + ": " + run.Reason,
                      before);
    return false;
  }

  if (settings.PauseAfterMame == 1) {
    console.PutText("Press any key to continue.....", {1, ScreenHeight}, {White, Black});
    console.GetKey();
  }

  screen.Redraw();
  // The emulator's output stayed readable up to here; now every cell is ours.
  console.RepaintAll();
  return true;
}

}  // namespace zeb
