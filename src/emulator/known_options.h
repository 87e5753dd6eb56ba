#pragma once
// The options today's emulator knows, as it lists them with -showusage, and
// the command line made to suit them. With an emulator that gives no such
// list (the classic one), nothing changes.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/processes.h"
#include "emulator/slot_words.h"

namespace zeb {

struct KnownOptions {
  // True when the emulator answered with its list: the run ended with
  // status 0 and listed at least MinimumOptionLines options. Only a trusted
  // answer changes the command line (and has "Roms Paths:" always passed).
  bool Trusted = false;
  std::set<std::string, std::less<>> Names;  // without the "-"

  // True when the answer is trusted and lists the option.
  bool Lists(std::string_view name) const;
};

inline constexpr int MinimumOptionLines = 20;

// The answer of a -showusage run: its standard output and exit status. An
// option line starts with "-" and a name of letters, digits and "_",
// followed by a blank or the line's end (LF or CR LF).
KnownOptions ParseShowUsage(std::string_view output, int exitStatus);

// Asks the emulator (found as for a launch, and run where a launch runs it:
// in the program file's directory) for its options: "-showusage", standard
// input from nothing, its output into memory, ended after
// ShowUsageMilliseconds. Untrusted when it cannot start, fails or takes too
// long.
inline constexpr int ShowUsageMilliseconds = 2000;
KnownOptions AskEmulatorOptions(const ProgramFile& emulator);

// The command line's arguments made to suit the emulator. `slots` holds the
// words of the filled argument slots in slot order, as the command line
// builder makes them ("-fs" "2", "-w", "-fsb" "1.50", "-rp" "My Roms"): the
// first word is the switch, the rest its value. Slots holds one entry per
// slot, in the same order: the slot's words themselves when the emulator
// takes them, the words in today's terms that take their place (as
// "-sound" "none", the value a word of its own wherever the replacement has
// "%"), or none when it is left out; LeftOut names the switches left out,
// in order ("-sl"). Joined as the builder joins the slots, they give the
// command line. With an untrusted answer the slots come back unchanged and
// nothing is left out.
struct AdaptedArguments {
  std::vector<SlotWords> Slots;
  std::vector<std::string> LeftOut;
};
AdaptedArguments AdaptToKnownOptions(const std::vector<SlotWords>& slots, const KnownOptions& known);

// The launch screen's line about the switches left out
// ("Left out, unknown to this emulator: -sl -noaa"); "" when none was.
std::string LeftOutLine(const std::vector<std::string>& leftOut);

}  // namespace zeb
