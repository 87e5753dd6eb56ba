#pragma once
// The emulator's machine information (its XML list, kept in
// zeb-machines.txt): made by running the emulator, read back, and used to
// judge which games are available as the emulator itself judges them. Long
// work here shows its progress on a row of the screen, and Esc stops it.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "console/console.h"
#include "emulator/processes.h"
#include "machines/machine_info.h"
#include "settings/game_table.h"
#include "settings/settings.h"

namespace zeb {

// A progress bar on one row: what is done of how much, and "Esc stops".
// Shown from its first update, or only once `delayMilliseconds` have
// passed. Update returns false once Esc has been pressed.
class ProgressBar {
 public:
  ProgressBar(Console& console, int row, std::string_view what, int64_t total, int delayMilliseconds = 0);
  bool Update(int64_t done);

 private:
  Console& console_;
  int row_;
  std::string what_;
  int64_t total_;
  int64_t startedAt_;  // milliseconds of a steady clock
  int delay_;
};

enum class InformationMade : unsigned char {
  Made,         // zeb-machines.txt is new
  NotAnswered,  // the emulator gives no such list (the classic one), or cannot run
  Stopped,      // Esc: the old file, if any, stays
  Failed,       // the list or the file went wrong: Reason says how
};

struct InformationRun {
  InformationMade Outcome = InformationMade::NotAnswered;
  std::string Reason;
};

// Runs the emulator with -listxml and reads its list as it streams into a
// new zeb-machines.txt; the bar on `row` counts the machines read against
// `expected`.
InformationRun MakeMachineInformation(Console& console, const ProgramFile& emulator, int64_t expected, int row);

// The emulator's version as it gives it for -version ("0.251 (unknown)");
// empty when it does not answer so (the classic emulator).
std::string EmulatorVersion(const ProgramFile& emulator);

enum class Judgement : unsigned char { WithoutInformation, Judged, Stopped };

// With a trusted zeb-machines.txt: every game of the table judged as the
// emulator judges its ROM sets (the bar on `row`, after half a second), the
// entries that are no games left out, and `machines` the summaries of the
// table's games; why each game judged missing is so into `reasons`.
// Without one, or stopped by Esc, the table stays as it was; a file that
// is there but not to be trusted puts its one line into `problem`.
Judgement JudgeWithInformation(Console& console, GameTable& games, GameMachines& machines, const Settings& settings,
                               std::unordered_map<std::string, std::string>& reasons, int row, std::string& problem);

}  // namespace zeb
