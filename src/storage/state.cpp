#include "storage/state.h"

#include <charconv>

namespace zeb {

FixedTable<GameRecord, MaxGames> Games;
FixedTable<ViewEntry, MaxViewEntries> ViewList;
FixedTable<ShortString, MaxViewerLines> ViewerLines;
FixedTable<ShortString, MaxArgSlots> ArgSlots;
ShortString CommandOptions;

ShortString ProgramVersion;
ShortString MameVersion;
int32_t GameCount;
int32_t AvailableCount;
int32_t EntryCount;
int32_t CurrentScreen;
int32_t PanelScreen;
int32_t OptionsPage;
int32_t ListFilter;
int32_t SelectedGame;
int32_t SelectedEntry;
int32_t TopLine;
int32_t ColumnOffset;
int32_t FileLoaded;
int32_t QuitRequested;
unsigned char LastKey;
ShortString ListHeader;
ShortString WorkLine;
ShortString WorkName;

void ResetProgramState() {
  Games.Clear();
  ViewList.Clear();
  ViewerLines.Clear();
  ArgSlots.Clear();
  CommandOptions.Clear();

  ProgramVersion.Clear();
  MameVersion.Clear();
  GameCount = AvailableCount = EntryCount = 0;
  CurrentScreen = PanelScreen = OptionsPage = ListFilter = 0;
  SelectedGame = SelectedEntry = TopLine = ColumnOffset = 0;
  FileLoaded = QuitRequested = 0;
  LastKey = 0;
  ListHeader.Clear();
  WorkLine.Clear();
  WorkName.Clear();
}

void SetStartValues() {
  ProgramVersion = ProgramVersionText;
  TopLine = 0;
  ColumnOffset = 0;
  SelectedEntry = 1;
  OptionsPage = 0;
  CurrentScreen = 0;
  ListFilter = 1;
  AvailableCount = 0;
  FileLoaded = 0;
  SelectedGame = 1;
  MameVersion = "None Loaded";
}

int32_t GameNumberOf(int entry) { return TextToInt(ViewList[entry].GameNumber); }

ShortString& GameField(int game, int field) { return GameField(Games[game], field); }

ShortString& GameField(GameRecord& g, int field) {
  switch (field) {
    case 1: return g.DriverName;
    case 2: return g.Description;
    case 3: return g.CloneOf;
    case 4: return g.Category;
    case 5: return g.Available;
    case 6: return g.CheatCount;
    default: FatalTableIndex(field, 6);
  }
}

ShortString IntText(long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ShortString(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

int32_t TextToInt(std::string_view text) {
  int32_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return 0;
  return value;
}

}  // namespace zeb
