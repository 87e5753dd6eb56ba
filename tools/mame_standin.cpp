// A stand-in for the arcade emulator, for ZEB's demo and tests. It knows the
// made-up games of standin_games.h and answers the calls ZEB and its batch
// file make:
//
//   -cc                     writes mame.ini in the current directory
//   -?                      prints the help text; its first line is
//                           "<name> <version> (<date>) - <text>"
//   -listfull               prints a header line, then per game the driver
//                           name padded to 10 columns and the description in
//                           double quotes
//   -listclones             prints a header line, then per clone the clone's
//                           name padded to 9 columns and its parent's name
//   -sortdriver             accepted beside the list calls (the lists are
//                           always sorted by driver name)
//
// Any other call is a game launch. It appends one line to launch.log in the
// current directory, prints one line about the game and exits with status 0.
//
// The launch.log line holds every argument received (argv[1] onwards), in
// order, each enclosed in "[" and "]", separated by one blank, and ends with
// a line feed ("\n"). The bytes of an argument are written as received,
// except three kinds that are written as "%" and two upper-case hex digits:
// "%" itself (%25), "]" (%5D), and the control bytes 0x00-0x1F and 0x7F.
// A call without arguments logs an empty line. Example: the arguments
// `astrobee`, `-w`, `-c` give the line "[astrobee] [-w] [-c]".
//
// Where the system passes the command line itself (Windows), a launch also
// appends that line, exactly as received, with a line feed, to command.log.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "standin_games.h"
#include "standin_platform.h"

namespace {

constexpr const char* VersionLine = "X.E.M. 0.37b9 (Jun 14 2000) - eXample Emulator of Machines, a stand in for ZEB";

constexpr const char* HelpLines[] = {
    "",
    "Usage:  xem gamename [options]",
    "",
    "   -cc                write a default configuration file (mame.ini)",
    "   -listfull          list the games with their descriptions",
    "   -listclones        list the clones with the games they derive from",
    "   -sortdriver        sort a list by driver name",
    "   -?                 this text",
    "",
    "Every other option is taken in silence: this program only pretends.",
};

constexpr const char* IniLines[] = {
    "# Configuration of the X.E.M. stand in emulator",
    "# written by \"-cc\"; edit freely, nothing here is read back",
    "",
    "[directory]",
    "rompath    = roms",
    "samplepath = samples",
    "cfg_directory = cfg",
    "",
    "[config]",
    "skip_disclaimer = no",
    "skip_gameinfo = no",
    "",
    "[windows]",
    "window = yes",
    "cheat = yes",
};

std::vector<const standin::Game*> SortedGames() {
  std::vector<const standin::Game*> games;
  for (const standin::Game& game : standin::Games) games.push_back(&game);
  std::sort(games.begin(), games.end(),
            [](const standin::Game* a, const standin::Game* b) { return std::strcmp(a->Name, b->Name) < 0; });
  return games;
}

const standin::Game* FindGame(const char* name) {
  for (const standin::Game& game : standin::Games) {
    if (std::strcmp(game.Name, name) == 0) return &game;
  }
  return nullptr;
}

int WriteConfig() {
  std::FILE* file = std::fopen("mame.ini", "w");
  if (file == nullptr) {
    std::perror("mame.ini");
    return 1;
  }
  for (const char* line : IniLines) std::fprintf(file, "%s\n", line);
  return std::fclose(file) == 0 ? 0 : 1;
}

int PrintHelp() {
  std::printf("%s\n", VersionLine);
  for (const char* line : HelpLines) std::printf("%s\n", line);
  return 0;
}

int PrintListFull() {
  std::printf("Name:     Description:\n");
  for (const standin::Game* game : SortedGames()) std::printf("%-10s\"%s\"\n", game->Name, game->Description);
  return 0;
}

int PrintListClones() {
  std::printf("Name:    Clone of:\n");
  for (const standin::Game* game : SortedGames()) {
    if (game->Parent[0] != '\0') std::printf("%-9s%s\n", game->Name, game->Parent);
  }
  return 0;
}

std::string LogField(const char* argument) {
  std::string field = "[";
  for (const char* p = argument; *p != '\0'; ++p) {
    unsigned char byte = static_cast<unsigned char>(*p);
    if (byte == '%' || byte == ']' || byte < 0x20 || byte == 0x7F) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      field += escaped;
    } else {
      field += static_cast<char>(byte);
    }
  }
  field += ']';
  return field;
}

int Launch(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += LogField(argv[i]);
  }
  line += '\n';

  std::FILE* log = std::fopen("launch.log", "ab");
  if (log == nullptr) {
    std::perror("launch.log");
    return 1;
  }
  std::fwrite(line.data(), 1, line.size(), log);
  if (std::fclose(log) != 0) return 1;

  const std::string commandLine = standin::RawCommandLine();
  if (!commandLine.empty()) {
    std::FILE* commands = std::fopen("command.log", "ab");
    if (commands == nullptr) {
      std::perror("command.log");
      return 1;
    }
    std::fprintf(commands, "%s\n", commandLine.c_str());
    if (std::fclose(commands) != 0) return 1;
  }

  const standin::Game* game = argc > 1 ? FindGame(argv[1]) : nullptr;
  if (game != nullptr) {
    std::printf("X.E.M.: played %s, \"%s\" (%s).\n", game->Name, game->Description, game->Year);
  } else {
    std::printf("X.E.M.: no game \"%s\" here; nothing to run.\n", argc > 1 ? argv[1] : "");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A list call may come with -sortdriver before or after it.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-cc") == 0) return WriteConfig();
    if (std::strcmp(argv[i], "-?") == 0) return PrintHelp();
    if (std::strcmp(argv[i], "-listfull") == 0) return PrintListFull();
    if (std::strcmp(argv[i], "-listclones") == 0) return PrintListClones();
  }
  return Launch(argc, argv);
}
