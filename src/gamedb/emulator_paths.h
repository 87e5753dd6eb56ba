#pragma once
// Where the emulator itself looks for ROM archives and samples: its
// configuration file, mame.ini, as today's emulator writes it with -cc.

#include <optional>
#include <string>
#include <string_view>

namespace zeb {

// The directories that the emulator's configuration names instead of the
// defaults ("roms" and "samples"): each set only when its line is there and
// its value, expanded, is not empty, fits in 255 characters and differs
// from the default.
struct EmulatorPaths {
  std::optional<std::string> RomPaths;    // from "rompath", for "Roms Paths:"
  std::optional<std::string> SamplePath;  // from "samplepath", for "Sample Path:"
};

// Reads the configuration file (mame.ini of the current directory unless
// named otherwise). No file, or no such lines: nothing set.
EmulatorPaths ReadEmulatorPaths(std::string_view configurationFile = "mame.ini");

// The value of the option `name` in the text of a configuration file: the
// last line that starts with the name followed by blanks (or by blanks, "="
// and blanks, as the classic emulator's files have it) gives the rest of
// the line, without trailing blanks and with enclosing double quotes
// removed. Lines starting with "#" are comments; lines end at LF or CR LF.
std::optional<std::string> ConfigurationValue(std::string_view text, std::string_view name);

// A ";"-separated list of directories with the environment put in: "~" at
// the start of a piece (alone, or before "/" or "\") is HOME, and "$NAME"
// and "${NAME}" are that variable (NAME: letters, digits and "_"); an unset
// variable is nothing. A "$" that starts no name stays as it is.
std::string ExpandedPathList(std::string_view value);

}  // namespace zeb
