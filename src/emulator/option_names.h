#pragma once
// The names of ZEB's emulator arguments in today's emulator (the table is
// in option_names.cpp, beside the slot table of command_options.cpp).

#include <span>
#include <string_view>

namespace zeb {

struct SwitchName {
  std::string_view Switch;  // as the command line has it: "-nomax"
  // The option whose presence in today's emulator's list says that it
  // takes the switch as it is ("-nomax" is the "no" form of "maximize").
  std::string_view Option;
  // Otherwise, where today's emulator has the same setting under another
  // name: the arguments that take the switch's place ("%" stands for the
  // switch's value), and the options they need listed. Empty: none.
  std::string_view Replacement;
  std::string_view ReplacementOptions[2];
};

// Every switch that the command line can hold, each once.
extern const std::span<const SwitchName> SwitchNames;

// The row of a switch; null when the table has none.
const SwitchName* FindSwitchName(std::string_view option);

}  // namespace zeb
