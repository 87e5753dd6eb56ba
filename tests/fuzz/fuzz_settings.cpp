// The settings loader on any zeb.ini.
//
// Before every input the settings and the game table hold a known state
// (loaded from a file of unusual values and three games). Then:
//   - a file the loader refuses changes nothing: saving gives that known
//     file back byte for byte, the reals are unchanged, and no record above
//     the three games was touched; the refusal quotes a line of the file
//     in its visible form and names its number;
//   - a file the loader takes gives each text field, each game field and
//     each number as the file has it, and survives save, load and save
//     again with identical bytes.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/numbers.h"
#include "storage/visible_text.h"
#include "storage/work_file.h"
#include "fuzz/fuzz_support.h"
#include "settings/settings.h"

namespace zeb::fuzz {
namespace {

struct Refused {
  std::string Message;
};

// The known state, already in the form a save writes.
std::string KnownFile() {
  std::vector<std::string> lines = {"3", "C:\\before\\", "roms;before", "samples before", "before.exe"};
  for (int line = 6; line <= 45; ++line) {
    if (line == 36) lines.push_back(" 1.25000000000000E+0000");
    else if (line == 37) lines.push_back("-3.50000000000000E-0002");
    else if (line == 39) lines.push_back(" 6.02214076000000E+0023");
    else lines.push_back(IntText(line * 37 % 101 - 50).Str());
  }
  lines.push_back("before version");
  for (const char* field : {"abc", "Abc (before)", "", "Maze", "1", "2",  //
                            "", "desc only", "abc", "", "0", "",         //
                            "x y", "=;", "", "", "", "17"}) {
    lines.push_back(field);
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

constexpr int KnownGames = 3;

// The settings record and the game table that every input loads into.
struct Loaded {
  Settings settings;
  GameTable table;
};
Loaded& State() {
  static Loaded loaded;
  return loaded;
}

// Settings lines (1-based) that hold texts and reals; the others are integers.
bool IsTextLine(int line) { return (line >= 2 && line <= 5) || line == 46; }
bool IsRealLine(int line) { return line == 36 || line == 37 || line == 39; }

std::string Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::vector<std::string> SavedLines() {
  SaveSettings(State().settings, State().table);
  return ModelLines(ReadFile(SettingsFileName));
}

bool Load() {
  try {
    LoadSettings(State().settings, State().table);
    return true;
  } catch (const Refused&) {
    return false;
  }
}

void CheckRefusal(const std::string& message, const std::vector<std::string>& lines, const std::string& known) {
  // Only visible bytes, and a line feed between the two lines of a
  // conversion error.
  for (char c : message) ZEB_FUZZ_CHECK(c == '\n' || (c >= 0x20 && c <= 0x7E));
  bool conversion = false;
  std::size_t lineEnd = message.find('\n');
  std::string first = message.substr(0, lineEnd);
  for (const char* kind : {"' is not a valid integer value", "' is not a valid floating point value"}) {
    std::size_t at = first.rfind(kind);
    if (at == std::string::npos || at + std::string_view(kind).size() != first.size()) continue;
    // The second line names the line that holds the text.
    const std::string where = "\nin 'zeb.ini', line ";
    ZEB_FUZZ_CHECK(message.compare(lineEnd, where.size(), where) == 0);
    int lineNumber = TextToInt(message.substr(lineEnd + where.size()));
    ZEB_FUZZ_CHECK(lineNumber >= 1 && lineNumber <= 46);
    std::string quoted = first.substr(1, at - 1);
    ZEB_FUZZ_CHECK(first[0] == '\'' &&
                   quoted == VisibleText(LineAt(lines, static_cast<std::size_t>(lineNumber - 1))));
    conversion = true;
  }
  ZEB_FUZZ_CHECK(conversion || message.starts_with("'zeb.ini' declares "));

  ZEB_FUZZ_CHECK(State().settings.Brightness == 1.25 && State().settings.Gamma == -0.035 && State().settings.BeamWidth == 6.02214076e23);
  // A loader that went on to the games would have filled those the file
  // declares.
  int declared = std::clamp(TextToInt(LineAt(lines, 0)), KnownGames, MaxGames);
  for (int game = KnownGames + 1; game <= declared; ++game) {
    for (int field = 1; field <= 6; ++field) ZEB_FUZZ_CHECK(GameField(State().table.Games[game], field).Empty());
  }
  SaveSettings(State().settings, State().table);
  ZEB_FUZZ_CHECK(ReadFile(SettingsFileName) == known);
}

void CheckTaken(const std::vector<std::string>& lines) {
  ZEB_FUZZ_CHECK(State().table.GameCount >= 0 && State().table.GameCount <= MaxGames);
  ZEB_FUZZ_CHECK(State().settings.MamePath == LineAt(lines, 1) && State().settings.RomPaths == LineAt(lines, 2) && State().settings.SamplePaths == LineAt(lines, 3) &&
                 State().settings.ExeName == LineAt(lines, 4) && State().table.MameVersion == LineAt(lines, 45));
  for (int game = 1; game <= State().table.GameCount; ++game) {
    for (int field = 1; field <= 6; ++field) {
      ZEB_FUZZ_CHECK(GameField(State().table.Games[game], field) == LineAt(lines, static_cast<std::size_t>(46 + 6 * (game - 1) + field - 1)));
    }
  }

  std::vector<std::string> saved = SavedLines();
  ZEB_FUZZ_CHECK(saved.size() == static_cast<std::size_t>(46 + 6 * State().table.GameCount));
  for (int line = 1; line <= 46; ++line) {
    std::string_view given = LineAt(lines, static_cast<std::size_t>(line - 1));
    const std::string& written = saved[static_cast<std::size_t>(line - 1)];
    if (IsRealLine(line)) {
      // Written to 15 significant digits of the value the file gave.
      double value = std::strtod(Trimmed(given).c_str(), nullptr);
      double back = std::strtod(written.c_str(), nullptr);
      ZEB_FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14);
    } else if (!IsTextLine(line)) {
      ZEB_FUZZ_CHECK(written == IntText(TextToInt(given)).View());
    }
  }

  std::string first = ReadFile(SettingsFileName);
  ZEB_FUZZ_CHECK(Load());  // a file the program wrote is always taken back
  SaveSettings(State().settings, State().table);
  ZEB_FUZZ_CHECK(ReadFile(SettingsFileName) == first);
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using namespace zeb::fuzz;
  InPrivateDir here;
  static const std::string known = KnownFile();
  static int touched = MaxGames;  // records that may hold something
  static const bool ready = [] {
    SetFatalHandler([](std::string_view message) { throw Refused{std::string(message)}; });
    // The known file is in the form a save writes.
    WriteFile(SettingsFileName, known);
    ZEB_FUZZ_CHECK(Load());
    SaveSettings(State().settings, State().table);
    ZEB_FUZZ_CHECK(ReadFile(SettingsFileName) == known);
    return true;
  }();
  (void)ready;

  for (int game = 1; game <= touched; ++game) State().table.Games[game] = GameRecord{};
  WriteFile(SettingsFileName, known);
  ZEB_FUZZ_CHECK(Load() && State().table.GameCount == KnownGames);
  touched = KnownGames;

  std::string_view input = Bytes(data, size);
  WriteFile(SettingsFileName, input);
  std::vector<std::string> lines = ModelLines(input);
  try {
    LoadSettings(State().settings, State().table);
  } catch (const Refused& refusal) {
    CheckRefusal(refusal.Message, lines, known);
    return 0;
  }
  if (State().table.GameCount > touched) touched = State().table.GameCount;
  CheckTaken(lines);
  return 0;
}
