#pragma once
// Running the emulator: the command line built from the settings, the
// launch of the selected game, and running a program until it ends.

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Settings -> ArgSlots -> CommandOptions.
void BuildCommandOptions();
// What a launch asks of the screen it leaves: to be cleared before the
// emulator runs and drawn again after it ends. The interface hands its own
// to SetLaunchScreen at start; without one, a launch shows only its messages.
struct LaunchScreen {
  void (*Clear)();
  void (*Redraw)();
};
void SetLaunchScreen(const LaunchScreen* screen);

// Runs the emulator on SelectedGame when its archive is present.
void LaunchGame();
// Starts `program` (by its path, relative to the current directory) with the
// arguments text and waits until it ends. A program that cannot start is
// passed over silently.
void RunAndWait(std::string_view program, std::string_view arguments);

// The command line split into arguments by the Windows rules: blanks
// separate, double quotes group, backslashes escape quotes.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The decimal separator of the user's locale ("." when it cannot be read).
char DecimalSeparator();

}  // namespace zeb
