#pragma once
// The process-wide tables and state variables. They exist, empty, for the
// whole run; the tables take memory for the records they hold (see
// FixedTable) and their texts for the bytes they hold (see ShortString).

#include <cstdint>

#include "storage/fixed_table.h"
#include "storage/short_string.h"

namespace zeb {

constexpr int MaxGames = 100000;
constexpr int MaxViewEntries = 100000;
constexpr int MaxViewerLines = 5000;
constexpr int MaxArgSlots = 50;

// One game that the emulator knows. The settings file stores the six fields
// in this order and addresses them by field number 1 to 6.
struct GameRecord {
  ShortString DriverName;
  ShortString Description;
  ShortString CloneOf;
  ShortString Category;
  ShortString Available;
  ShortString CheatCount;
};

// One row of the games list as filtered.
struct ViewEntry {
  ShortString DisplayLine;
  ShortString GameNumber;
  ShortString CloneMark;
};

extern FixedTable<GameRecord, MaxGames> Games;
extern FixedTable<ViewEntry, MaxViewEntries> ViewList;
extern FixedTable<ShortString, MaxViewerLines> ViewerLines;
extern FixedTable<ShortString, MaxArgSlots> ArgSlots;
extern ShortString CommandOptions;

// The program's version, as the title bar and --version show it.
constexpr const char* ProgramVersionText = "v1.1";
extern ShortString ProgramVersion;
extern ShortString MameVersion;
extern int32_t GameCount;
extern int32_t AvailableCount;
extern int32_t EntryCount;
extern int32_t CurrentScreen;
extern int32_t PanelScreen;
extern int32_t OptionsPage;
extern int32_t ListFilter;
extern int32_t SelectedGame;
extern int32_t SelectedEntry;
extern int32_t TopLine;
extern int32_t ColumnOffset;
extern int32_t FileLoaded;
extern int32_t QuitRequested;
extern unsigned char LastKey;
extern ShortString ListHeader;
extern ShortString WorkLine;
extern ShortString WorkName;

// Back to the zero state of program start: every table empty, every counter
// 0, every text empty. Tests call it (with ResetSettings for the settings
// record) to start from a clean slate.
void ResetProgramState();

// The start values that the program sets before it loads anything.
void SetStartValues();

// The game number of view entry `entry`: its GameNumber read as a decimal
// number (0 when it holds none).
int32_t GameNumberOf(int entry);

// Field 1 to 6 of game `game` (or of a record at hand), in the order of
// GameRecord.
ShortString& GameField(int game, int field);
ShortString& GameField(GameRecord& record, int field);

// Decimal text of an integer, and the value of a decimal text (an optional
// "-" and digits; 0 for anything else).
ShortString IntText(long long value);
int32_t TextToInt(std::string_view text);

}  // namespace zeb
