#pragma once
// Running the emulator on a game: the command line built from the settings
// (and made to suit the options the emulator knows), and the launch.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "emulator/known_options.h"
#include "emulator/slot_words.h"
#include "settings/game_table.h"
#include "settings/settings.h"
#include "storage/fixed_table.h"

namespace zeb {

constexpr int MaxArgSlots = 50;

// The command-line builder's record: one argument slot per option, each
// holding its words (slot 29 holds the resolution's depth suffix and is
// never joined itself), the options' words joined from them in slot order,
// every one whole however long the command line gets, and the switches left
// out because the emulator does not know them.
struct CommandLineSlots {
  FixedTable<SlotWords, MaxArgSlots> ArgSlots;
  std::vector<CommandWord> CommandOptions;
  std::vector<std::string> LeftOut;
};

// Settings -> ArgSlots -> CommandOptions, with `separator` as the decimal
// separator of the real numbers (the user's: DecimalSeparator()). With the
// emulator's trusted answer about its options, "Roms Paths:" is always
// passed and each slot is made to suit the options the emulator lists;
// without one the slots are the classic command line's. "Roms Paths:" is
// one word after "-rp", blanks and all.
void BuildCommandOptions(const Settings& settings, char separator, const KnownOptions& known,
                         CommandLineSlots& slots);

// What the emulator said of its options, asked once a run, before the
// first launch.
struct EmulatorAnswer {
  bool Asked = false;
  KnownOptions Known;
};

// What a launch asks of the screen it leaves: to be cleared before the
// emulator runs and drawn again after it ends.
class LaunchScreen {
 public:
  virtual void Clear() = 0;
  virtual void Redraw() = 0;

 protected:
  ~LaunchScreen() = default;
};

// Runs the emulator on game `game` of the table when its archive is present:
// the program found in "Mame Path:" (or, without one, here and on the search
// path) runs there, our own current directory untouched, with the driver
// name and the options' words as its arguments. When the emulator's
// directory cannot be entered or the emulator cannot start, a line says so,
// a key is awaited and the screen is put back as it was. With `judged`,
// the caller has judged the game's ROM sets as the emulator does (with its
// machine information), and the archive is not looked for. True when the
// emulator ran.
bool LaunchGame(int32_t game, const GameTable& table, const Settings& settings, Console& console,
                LaunchScreen& screen, EmulatorAnswer& answer, bool judged = false);

// The decimal separator of the user's locale ("." when it cannot be read).
char DecimalSeparator();

}  // namespace zeb
