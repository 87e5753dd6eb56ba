// The first-run import on any five input files.
//
// The input is split at the line "--8<--" into ver.txt, listfull.txt,
// listclones.txt, catver.ini and cheat.dat, in this order; the first three
// are always written (empty when the input has no piece for them), the two
// optional ones only when there is a piece. The import then runs as a first
// run runs it, twice. It must never stop the program; the game count stays
// within the table; both runs give the same table; and every field is what
// a plain reading of the five files gives:
//   - the game lines after the header become games 1 to N (at most the
//     table's size): the driver name before the first blank, the
//     description without the first 11 characters and the last one;
//     under a header "Name:", blanks, "Description:" the description starts
//     after the column of "Description:" instead, or after the name's blank
//     and quote when the name is too long for that column;
//   - the last clone line that names a game sets its parent, read from
//     column 10, or under "Name:", blanks, "Clone of:" from that heading's
//     column (after the name's blank when the name is too long for it);
//   - the catver.ini entries from line 4 up to and with "[VerAdded]" set
//     categories, the last one that names a game winning;
//   - each cheat line counts for the game named before its ":", a skip line
//     taking the line after it along;
//   - a game is available exactly when its archive is there (one archive of
//     roms/ is natodef.zip, which also serves natodefa);
//   - the version is a beginning of the first line of ver.txt.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "fuzz/fuzz_support.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace zeb::fuzz {
namespace {

constexpr std::string_view Separator = "\n--8<--\n";
constexpr const char* FileNames[5] = {"ver.txt", "listfull.txt", "listclones.txt", "catver.ini", "cheat.dat"};

struct Table {
  std::string Version;
  std::vector<std::vector<std::string>> Games;  // six fields each
  bool operator==(const Table&) const = default;
};

// What every input imports into: the settings at their defaults, the game
// table, and a console for the progress lines.
struct Imported {
  Console console;
  Settings settings;
  OptionCaptions captions;
  GameTable table;
};
Imported& State() {
  static Imported imported;
  return imported;
}

Table Snapshot() {
  const GameTable& games = State().table;
  Table table;
  table.Version = games.MameVersion.Str();
  for (int game = 1; game <= games.GameCount; ++game) {
    std::vector<std::string>& fields = table.Games.emplace_back();
    for (int field = 1; field <= 6; ++field) fields.push_back(GameField(games.Games[game], field).Str());
  }
  return table;
}

void RunImport() {
  Imported& state = State();
  ReadMameVersion(state.table);
  ImportGameNames(state.table, state.settings, state.console);
  ImportClones(state.table, state.console);
  ImportCategories(state.table, state.console);
  ImportCheatCounts(state.table, state.console);
}

// What each driver name gets from a file of "name, value" lines: the last
// value given wins.
using ByName = std::map<std::string, std::string, std::less<>>;

std::string_view Before(std::string_view line, char mark) {
  std::size_t at = line.find(mark);
  return at == std::string_view::npos ? std::string_view() : line.substr(0, at);
}

std::string Found(const ByName& values, std::string_view name) {
  auto it = values.find(name);
  return it == values.end() ? std::string() : it->second;
}

// Where the second column of a list starts on a line (0-based).
struct Columns {
  std::size_t At;
  bool Named;
};

Columns HeaderColumns(std::string_view header, std::string_view heading, std::size_t fixed) {
  std::size_t rest = 5 + heading.size();
  std::size_t blanks = header.size() > rest ? header.size() - rest : 0;
  bool named = blanks > 0 && header == "Name:" + std::string(blanks, ' ') + std::string(heading);
  return {named ? 5 + blanks : fixed, named};
}

std::size_t ColumnOn(Columns columns, std::string_view line, char marker) {
  if (!columns.Named || (marker != 0 && line.size() > columns.At && line[columns.At] == marker)) return columns.At;
  std::size_t blank = line.find(' ');
  bool tooLong = blank != std::string_view::npos && blank + 1 >= columns.At && blank + 1 < line.size() &&
                 (marker == 0 || line[blank + 1] == marker);
  return tooLong ? blank + 1 : columns.At;
}

Table Expected(const std::vector<std::string> (&files)[5], bool catver, bool cheats) {
  Table table;
  const std::vector<std::string>& names = files[1];
  std::size_t games = names.size() > 1 ? names.size() - 1 : 0;
  if (games > MaxGames) games = MaxGames;
  Columns quote = HeaderColumns(LineAt(names, 0), "Description:", 10);
  for (std::size_t i = 1; i <= games; ++i) {
    std::string_view line = names[i];
    std::size_t skip = ColumnOn(quote, line, '"') + 1;
    std::string_view description = line.size() > skip ? line.substr(skip, line.size() - skip - 1) : std::string_view();
    table.Games.push_back({std::string(Before(line, ' ')), std::string(description), "", "", "", ""});
  }

  ByName parents;
  Columns parentColumn = HeaderColumns(LineAt(files[2], 0), "Clone of:", 9);
  for (std::size_t i = 1; i < files[2].size(); ++i) {
    std::string_view line = files[2][i];
    std::size_t at = ColumnOn(parentColumn, line, 0);
    std::string_view parent = line.size() > at ? line.substr(at) : std::string_view();
    parents[std::string(Before(line, ' '))] = std::string(parent.substr(0, parent.find(' ')));
  }

  ByName categories;
  if (catver && LineAt(files[3], 2) != "[VerAdded]") {
    std::size_t i = 3;
    std::string_view line;
    do {
      line = LineAt(files[3], i++);
      std::size_t equals = line.find('=');
      categories[std::string(Before(line, '='))] =
          std::string(equals == std::string_view::npos ? line : line.substr(equals + 1));
    } while (line != "[VerAdded]" && i < files[3].size());
  }

  std::map<std::string, long long, std::less<>> cheatCounts;
  if (cheats) {
    for (std::size_t i = 0; i < files[4].size();) {
      std::string_view line = files[4][i++];
      if (line.empty() || line[0] == ';' || line[0] == ' ') {
        ++i;
        continue;
      }
      ++cheatCounts[std::string(Before(line, ':'))];
    }
  }

  for (std::vector<std::string>& game : table.Games) {
    const std::string& name = game[0];
    game[2] = Found(parents, name);
    game[3] = Found(categories, name);
    bool available = FileExists("roms\\" + name + ".zip") || (name == "natodefa" && FileExists("roms\\natodef.zip"));
    game[4].assign(1, available ? '1' : '0');
    auto count = cheatCounts.find(name);
    if (count != cheatCounts.end()) game[5] = std::to_string(count->second);
  }
  return table;
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using namespace zeb::fuzz;
  InPrivateDir here;
  static const bool ready = [] {
    AbortOnFatal();
    SetDefaultSettings(State().settings, State().captions);
    std::filesystem::create_directory("roms");
    WriteFile("roms/natodef.zip", "");
    WriteFile("roms/abc.zip", "");
    return true;
  }();
  (void)ready;

  std::string_view rest = Bytes(data, size);
  std::vector<std::string> lines[5];
  bool present[5] = {};
  bool another = true;  // the input has a piece for this file
  for (int i = 0; i < 5; ++i) {
    std::string_view piece;
    if (another) {
      std::size_t at = i < 4 ? rest.find(Separator) : std::string_view::npos;
      piece = rest.substr(0, at);
      another = at != std::string_view::npos;
      rest = another ? rest.substr(at + Separator.size()) : std::string_view();
      present[i] = true;
    }
    if (i < 3) present[i] = true;
    if (present[i]) WriteFile(FileNames[i], piece);
    else DeleteFile(FileNames[i]);
    lines[i] = ModelLines(piece);
  }
  ZEB_FUZZ_CHECK(!FileExists(SettingsFileName));

  RunImport();
  ZEB_FUZZ_CHECK(State().table.GameCount >= 0 && State().table.GameCount <= MaxGames);
  Table first = Snapshot();
  ZEB_FUZZ_CHECK(first.Games == Expected(lines, present[3], present[4]).Games);
  std::string_view firstLine = LineAt(lines[0], 0);
  ZEB_FUZZ_CHECK(firstLine.starts_with(first.Version));

  RunImport();
  ZEB_FUZZ_CHECK(Snapshot() == first);
  return 0;
}
