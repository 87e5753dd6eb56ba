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
// With the environment variable XEM_MODERN set (to anything but "" or "0")
// it behaves as a later generation of the emulator does:
//   - the help text's first line is "X.E.M. v0.251 (unknown)";
//   - -listfull prints the header "Name:             Description:" and per
//     game the name padded to 17 columns, a blank and the description in
//     double quotes (so the quote is in column 19; a longer name is followed
//     by one blank and the quote);
//   - -listclones prints "Name:            Clone of:" and per clone the
//     name padded to 16 columns, a blank and the parent (column 18);
//   - besides the games of standin_games.h it knows a BIOS set, two
//     devices and XEM_MACHINES generated machines (3000 when not set):
//     stable names of up to 16 characters, every fifth a clone, and a few
//     machines with names of 17 to 21 characters. Its lists give the games
//     (the BIOS among them) sorted by name, then the devices sorted by
//     name, as today's emulator lists them;
//   - -listxml writes the XML list in today's shape: the declaration, a
//     DOCTYPE with an internal subset, <mame build="0.251 (unknown)"
//     debug="no" mameconfig="10">, a <machine> per machine (see below);
//   - -version prints "0.251 (unknown)" with no line end, as today's
//     emulator does;
//   - -sortdriver and the options that generation no longer knows (-tb
//     -nohws -sl -noresamplefilter -nosound -noaa -hotrod -hotrodse -notl
//     -beam -noart -fsb -noswitchbpp -matchrefresh -ftr) are refused: the
//     first one met gives "Error: unknown option: <option>" and a line feed
//     on standard error and exit status 6, with nothing on standard output.
//     A launch is still logged first. Every other option is accepted, among
//     them each one that -showusage lists and the "-no" form of those;
//   - -showusage prints "Usage:  xem [machine] [media] [software] [options]",
//     a blank line, "Options:", and then, under a few headings of the form
//     "#" / "# <TITLE>" / "#", one line per option it knows: "-", the name
//     padded to 20 columns, the description. The refused options are not
//     among them. Exit status 0;
//   - -cc writes mame.ini in that generation's shape: headings as above and
//     lines of the option name padded to 25 columns, a blank and the value,
//     among them "rompath" with "$HOME/mame/roms;/usr/local/share/games/
//     mame/roms" and "samplepath" with "$HOME/mame/samples" (the text
//     "$HOME" itself, for the reader to expand).
//
// In the classic mode -showusage, -listxml and -version are options it does
// not know: "Error: unknown option: <option>" on standard error, status 6,
// nothing logged.
//
// The machines of the XML list (standin_list.cpp). Each has a description,
// a year and a maker (escaped as XML wants: "Blip &amp; Blop"), a display
// with its rotation, an input with its players and a driver status; a
// device has none of the last three. ROM files hold bytes by the rule of
// standin_roms.h and their CRC-32 is given (but for a nodump):
//   - a parent P has "P.p1" (2048 bytes) and "P.g1" (1024); a clone C of P
//     has "C.p1" (2048) and P's "P.g1" with merge="P.g1", which astrobej
//     lists under its own name "astrobej.g1"; a clone's romof is its
//     parent;
//   - xembios, "X.E.M. System BIOS" (isbios, year "199?"), has
//     "xembios.bin" (512); fjordfgt, hexhound and quasarq have
//     romof="xembios" and list "xembios.bin" with merge="xembios.bin", and
//     so does quasarq's clone quasarq2 (whose romof is quasarq);
//   - the device xemcpu (isdevice, runnable="no") has "xemcpu.bin" (256);
//     the device xemsound has no ROMs. Every game uses xemsound
//     (<device_ref>), the games whose names start with a, b or c xemcpu too;
//   - dizzyowl has no ROMs; moonmopb has "moonmopb.pal" (260, nodump, no
//     CRC); glimmerb's "glimmerb.p1" is a baddump; blipblop has
//     "blipblop.snd" (512, optional); tundrtrk has the disk "tundrtrk"
//     with the SHA-1 of standin_roms.h; crankit is mechanical;
//   - drivers are good, but imperfect for glimmerb, moonmopb and drzapa and
//     preliminary for noodlenj and xylofone; 2 players, but 1 for waffle,
//     waffleo and crankit, 4 for snailrly and snailrlj, 0 for the BIOS;
//     rotation 0, but 90 for astrobee, astrobej and icicle, 270 for
//     rocketrb, 180 for teapot. kelpking's maker is "Société des Algues"
//     (UTF-8), lumberjv's year "198?";
//   - a generated machine: year 1990, maker "Generated Games", one ROM
//     "<name>.bin" (128), xemsound, 2 players, good.
//
// With the environment variable XEM_HANG set (to anything but "" or "0"),
// for tests of a program that does not end, every call first waits a
// minute, writing nothing.
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
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "standin_games.h"
#include "standin_list.h"
#include "standin_platform.h"

namespace {

constexpr const char* VersionLine = "X.E.M. 0.37b9 (Jun 14 2000) - eXample Emulator of Machines, a stand in for ZEB";
constexpr const char* ModernVersionLine = "X.E.M. v0.251 (unknown)";
constexpr const char* ModernVersion = "0.251 (unknown)";

constexpr const char* RefusedOptions[] = {
    "-sortdriver", "-tb",  "-nohws", "-sl",    "-noresamplefilter", "-nosound",     "-noaa", "-hotrod",
    "-hotrodse",   "-notl", "-beam", "-noart", "-fsb",              "-noswitchbpp", "-matchrefresh", "-ftr",
};

bool Switched(const char* variable) {
  const char* mode = std::getenv(variable);
  return mode != nullptr && mode[0] != '\0' && std::strcmp(mode, "0") != 0;
}

bool Modern() { return Switched("XEM_MODERN"); }

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

// The later generation's options as -showusage lists them: a heading (a
// name of null) starts a group.
struct Option {
  const char* Name;
  const char* Description;
};

constexpr Option ModernOptions[] = {
    {nullptr, "CORE SEARCH PATH OPTIONS"},
    {"homepath", "path to the base folder for plugin data"},
    {"rompath", "path to ROM sets and disk images"},
    {"samplepath", "path to audio sample sets"},
    {"artpath", "path to artwork files"},
    {"cfg_directory", "directory to save configurations"},
    {"snapshot_directory", "directory to save screenshots"},
    {nullptr, "CORE STATE/PLAYBACK OPTIONS"},
    {"autosave", "automatically restore state on start and save on exit"},
    {"playback", "playback an input file"},
    {nullptr, "CORE PERFORMANCE OPTIONS"},
    {"autoframeskip", "skip frames to speed up the emulation"},
    {"frameskip", "frames to skip out of every 12"},
    {"seconds_to_run", "number of emulated seconds to run before exiting"},
    {"throttle", "keep the emulation at its proper speed"},
    {"sleep", "give time back to the system while idle"},
    {"speed", "controls the speed of gameplay, relative to real time"},
    {nullptr, "CORE ROTATION OPTIONS"},
    {"rotate", "rotate the game screen according to the game's orientation"},
    {"ror", "rotate the screen clockwise 90 degrees"},
    {"rol", "rotate the screen counterclockwise 90 degrees"},
    {"autoror", "rotate clockwise when the screen is vertical"},
    {"autorol", "rotate counterclockwise when the screen is vertical"},
    {"flipx", "flip the screen left to right"},
    {"flipy", "flip the screen upside down"},
    {nullptr, "CORE SCREEN OPTIONS"},
    {"brightness", "default brightness of the screen"},
    {"contrast", "default contrast of the screen"},
    {"gamma", "default gamma of the screen"},
    {"effect", "name of a PNG file to use for visual effects, or none"},
    {nullptr, "CORE VECTOR OPTIONS"},
    {"beam_width_min", "minimum width of vector lines"},
    {"beam_width_max", "maximum width of vector lines"},
    {"beam_intensity_weight", "how much the intensity changes the width of vector lines"},
    {"flicker", "flicker effect of vector lines"},
    {nullptr, "CORE SOUND OPTIONS"},
    {"samplerate", "sample rate of the sound output"},
    {"samples", "use samples where the game has them"},
    {"volume", "sound volume in decibels (-32 min, 0 max)"},
    {nullptr, "CORE INPUT OPTIONS"},
    {"mouse", "use the mouse for input"},
    {"joystick", "use the joystick for input"},
    {"lightgun", "use a lightgun for input"},
    {"steadykey", "hold keys pressed for a whole frame"},
    {nullptr, "CORE DEBUGGING OPTIONS"},
    {"verbose", "display additional diagnostic information"},
    {"log", "write an error log"},
    {nullptr, "CORE MISC OPTIONS"},
    {"cheat", "enable cheats"},
    {"skip_gameinfo", "skip the information screen at start"},
    {nullptr, "OSD VIDEO OPTIONS"},
    {"video", "video output method: soft, opengl or none"},
    {"numscreens", "number of output screens or windows"},
    {"window", "run in a window instead of the full screen"},
    {"maximize", "start out with windows as large as they can be"},
    {"keepaspect", "keep the aspect ratio of the screen"},
    {"waitvsync", "wait for the vertical blank before drawing"},
    {"syncrefresh", "run at the screen's refresh rate"},
    {"resolution", "preferred resolution: <width>x<height>[@<refresh>] or auto"},
    {"switchres", "change the screen mode to suit the game"},
    {nullptr, "OSD SOUND OPTIONS"},
    {"sound", "sound output method: sdl, pulse or none"},
    {"audio_latency", "sound latency in seconds"},
    {nullptr, "CORE COMMANDS"},
    {"help", "show help"},
    {"validate", "check the drivers' data"},
    {"showusage", "list the options and what they do"},
    {"listfull", "list the machines with their descriptions"},
    {"listclones", "list the clones with their parents"},
    {"createconfig", "write a configuration file (mame.ini)"},
};

// Its configuration file: a heading (a name of null), or a line.
constexpr Option ModernIniLines[] = {
    {nullptr, "CORE CONFIGURATION OPTIONS"},
    {"readconfig", "1"},
    {"writeconfig", "0"},
    {nullptr, "CORE SEARCH PATH OPTIONS"},
    {"homepath", "."},
    {"rompath", "$HOME/mame/roms;/usr/local/share/games/mame/roms"},
    {"samplepath", "$HOME/mame/samples"},
    {"artpath", "$HOME/mame/artwork"},
    {"cfg_directory", "$HOME/.mame/cfg"},
    {nullptr, "OSD VIDEO OPTIONS"},
    {"video", "soft"},
    {"window", "0"},
    {"keepaspect", "1"},
};

std::vector<standin::Machine> Machines() { return standin::ListedMachines(Modern()); }

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
  if (Modern()) {
    for (const Option& line : ModernIniLines) {
      if (line.Name == nullptr) {
        std::fprintf(file, "%s#\n# %s\n#\n", &line == ModernIniLines ? "" : "\n", line.Description);
      } else {
        std::fprintf(file, "%-25s %s\n", line.Name, line.Description);
      }
    }
  } else {
    for (const char* line : IniLines) std::fprintf(file, "%s\n", line);
  }
  return std::fclose(file) == 0 ? 0 : 1;
}

int PrintUsage() {
  std::printf("Usage:  xem [machine] [media] [software] [options]\n\nOptions:\n");
  for (const Option& option : ModernOptions) {
    if (option.Name == nullptr) {
      std::printf("\n#\n# %s\n#\n", option.Description);
    } else {
      std::printf("-%-20s%s\n", option.Name, option.Description);
    }
  }
  return 0;
}

// As today's emulator prints it: the version alone, without a line end.
int PrintVersion() {
  std::printf("%s", ModernVersion);
  return 0;
}

int PrintHelp() {
  std::printf("%s\n", Modern() ? ModernVersionLine : VersionLine);
  for (const char* line : HelpLines) std::printf("%s\n", line);
  return 0;
}

int PrintListFull() {
  bool modern = Modern();
  std::printf(modern ? "Name:             Description:\n" : "Name:     Description:\n");
  for (const standin::Machine& machine : Machines()) {
    std::printf(modern ? "%-17s \"%s\"\n" : "%-10s\"%s\"\n", machine.Name.c_str(), machine.Description.c_str());
  }
  return 0;
}

int PrintListClones() {
  bool modern = Modern();
  std::printf(modern ? "Name:            Clone of:\n" : "Name:    Clone of:\n");
  for (const standin::Machine& machine : Machines()) {
    if (machine.Parent.empty()) continue;
    std::printf(modern ? "%-16s %s\n" : "%-9s%s\n", machine.Name.c_str(), machine.Parent.c_str());
  }
  return 0;
}

// The first option of the call that the later generation refuses, or null.
const char* RefusedOption(int argc, char** argv) {
  if (!Modern()) return nullptr;
  for (int i = 1; i < argc; ++i) {
    for (const char* option : RefusedOptions) {
      if (std::strcmp(argv[i], option) == 0) return option;
    }
  }
  return nullptr;
}

int Refuse(const char* option) {
  std::fprintf(stderr, "Error: unknown option: %s\n", option);
  return 6;
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

bool AppendToLog(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += LogField(argv[i]);
  }
  line += '\n';

  std::FILE* log = std::fopen("launch.log", "ab");
  if (log == nullptr) {
    std::perror("launch.log");
    return false;
  }
  std::fwrite(line.data(), 1, line.size(), log);
  return std::fclose(log) == 0;
}

int Launch(int argc, char** argv) {
  if (!AppendToLog(argc, argv)) return 1;

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
  if (Switched("XEM_HANG")) standin::SleepSeconds(60);
  const char* refused = RefusedOption(argc, argv);
  const bool modern = Modern();
  // A list call may come with -sortdriver before or after it.
  for (int i = 1; i < argc; ++i) {
    for (std::string_view call : {"-cc", "-?", "-listfull", "-listclones", "-showusage", "-listxml", "-version"}) {
      if (argv[i] != call) continue;
      const bool later = call == "-showusage" || call == "-listxml" || call == "-version";
      if (later && !modern) return Refuse(argv[i]);
      if (refused != nullptr) return Refuse(refused);
      if (call == "-cc") return WriteConfig();
      if (call == "-?") return PrintHelp();
      if (call == "-showusage") return PrintUsage();
      if (call == "-version") return PrintVersion();
      if (call == "-listxml") {
        standin::PrintListXml(Machines());
        return 0;
      }
      return call == "-listfull" ? PrintListFull() : PrintListClones();
    }
  }
  if (refused != nullptr) {
    AppendToLog(argc, argv);
    return Refuse(refused);
  }
  return Launch(argc, argv);
}
