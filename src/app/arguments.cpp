#include "app/arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "storage/file_system.h"
#include "ui/key_table.h"
#include "ui/session.h"
#include "storage/visible_text.h"
#include "settings/settings.h"

namespace zeb {

namespace {

// The emulator version is the last of the settings lines of zeb.ini.
constexpr int MameVersionLine = SettingsLineCount;
// Of a longer line, only this many bytes are read.
constexpr std::size_t MaxLineLength = 255;

constexpr const char* Usage = "Usage: zeb [--help | --version]\n";

constexpr const char* HelpBeforeKeys =
    "\n"
    "A full-screen launcher for the MAME arcade emulator. Start it without an\n"
    "argument in the directory that holds the emulator; it works there.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print the version, and the emulator version in ./zeb.ini\n"
    "\n"
    "Keys on the games list and in the viewer:\n";

// After the keys, which the key table writes.
constexpr const char* HelpAfterKeys =
    "Mouse, left button: click a row to select a game, a button to use it, a\n"
    "triangle of the panel's title to change screens, X at the top left to\n"
    "quit; hold an arrow of a scroll bar to repeat. The wheel scrolls the games\n"
    "list and the viewer three rows a notch.\n"
    "\n"
    "Files in the current directory:\n"
    "  zeb.ini        settings and game table (read; saved through zeb.ini.tmp)\n"
    "  mame.ini       looked for; when missing, the emulator is run with -cc\n"
    "  RunMe.bat      written by a first run that lacks the emulator's lists\n"
    "  ver.txt, listfull.txt, listclones.txt\n"
    "                 the emulator's lists: read by a first run, then deleted\n"
    "  catver.ini, cheat.dat      optional categories and cheats (read)\n"
    "  zeb-favourites.txt, zeb-played.txt   favourites and games played (written\n"
    "                 at each change)\n"
    "  zeb-machines.txt           machine information from the emulator's -listxml\n"
    "  roms/DRIVER.zip            ROM sets, also .7z or folders (never written)\n"
    "  readme.txt, zebhelp.txt, mameguide.txt, mame.txt, whatsnew.txt,\n"
    "  gamelist.txt, windows.txt  the viewer's files (read)\n"
    "  datasave/      removed at start when it is an empty directory\n"
    "\n"
    "Exit status: 0 quit (also after a first run's message, --help and\n"
    "--version); 1 an error report on standard error (\"zeb: ...\"); 2 a bad\n"
    "argument; 128+N ended by signal N.\n"
    "The manual page zeb(1) says more.\n";

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }
bool IsVersion(std::string_view argument) { return argument == "--version" || argument == "-V"; }

std::string StoredMameVersion() {
  const std::string intro = std::string(SettingsFileName) + " ";
  const StoredVersion stored = ReadStoredVersion();
  switch (stored.Result) {
    case StoredVersion::Outcome::NotARegularFile: return intro + "is not a regular file\n";
    case StoredVersion::Outcome::CannotRead: return intro + "cannot be read: " + std::strerror(stored.Error) + "\n";
    case StoredVersion::Outcome::TooShort:
      return intro + "is too short to name an emulator version: it has " + std::to_string(stored.Lines) +
             (stored.Lines == 1 ? " line" : " lines") + ", the version is on line " + std::to_string(MameVersionLine) +
             "\n";
    case StoredVersion::Outcome::Empty:
      return intro + "names no emulator version (its line " + std::to_string(MameVersionLine) + " is empty)\n";
    case StoredVersion::Outcome::Found: break;
  }
  return "Emulator version in " + std::string(SettingsFileName) + ": " + VisibleCut(stored.Text, MaxLineLength) + "\n";
}

// Writes the whole text; false when it could not.
bool WriteAll(std::FILE* stream, const std::string& text) {
  bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  return std::fflush(stream) == 0 && written;
}

}  // namespace

ArgumentsCheck CheckArguments(int argc, const char* const* argv) {
  ArgumentsCheck check;
  if (argc <= 1) return check;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i] != nullptr ? argv[i] : "";
    if (!IsHelp(argument) && !IsVersion(argument)) {
      check.Request = ArgumentsRequest::Refused;
      check.Error = "zeb: unknown argument '" + VisibleCut(argument) + "'";
      return check;
    }
  }
  if (argc > 2) {
    check.Request = ArgumentsRequest::Refused;
    check.Error = "zeb: one argument at most: '" + VisibleCut(argv[2]) + "' is one too many";
    return check;
  }
  check.Request = IsHelp(argv[1]) ? ArgumentsRequest::Help : ArgumentsRequest::Version;
  return check;
}

std::string HelpText() { return std::string(Usage) + HelpBeforeKeys + KeyHelpText() + HelpAfterKeys; }

std::string VersionText() {
  std::string text = std::string("ZEB ") + ProgramVersionText + "\n";
  if (FileExists(SettingsFileName)) text += StoredMameVersion();
  return text;
}

std::string VisibleCut(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return VisibleText(text);
  return VisibleText(text.substr(0, limit)) + "...";
}

bool HandleArguments(int argc, const char* const* argv, int& status) {
  ArgumentsCheck check = CheckArguments(argc, argv);
  std::string text;
  switch (check.Request) {
    case ArgumentsRequest::Start:
      return false;
    case ArgumentsRequest::Refused:
      WriteAll(stderr, check.Error + "\nTry 'zeb --help'.\n");
      status = ArgumentsRefusedStatus;
      return true;
    case ArgumentsRequest::Help:
      text = HelpText();
      break;
    case ArgumentsRequest::Version:
      text = VersionText();
      break;
  }
  status = ArgumentsDoneStatus;
  if (!WriteAll(stdout, text)) {
    WriteAll(stderr, std::string("zeb: cannot write to standard output: ") + std::strerror(errno) + "\n");
    status = ArgumentsWriteFailedStatus;
  }
  return true;
}

}  // namespace zeb
