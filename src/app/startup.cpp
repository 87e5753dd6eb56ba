#include "app/startup.h"

#include <cstdlib>

#include "console/colours.h"
#include "emulator/launch.h"
#include "emulator/processes.h"
#include "emulator/make_lists.h"
#include "gamedb/emulator_paths.h"
#include "gamedb/gamedb.h"
#include "storage/fatal.h"
#include "storage/file_system.h"
#include "storage/work_file.h"
#include "ui/screen.h"
#include "machines/machine_file.h"
#include "ui/information.h"
#include "ui/main_loop.h"

namespace zeb {

namespace {

// The batch file that has the emulator write its lists, then starts us again.
constexpr char RunMeLines[][80] = {
    "@echo off",
    "CLS",
    "Echo Making Files Lists For ZEB. These Files will be deleted by ZEB Later...",
    "mame -? >ver.txt",
    "mame -listfull >listfull.txt -sortdriver",
    "mame -listclones >listclones.txt -sortdriver",
    "zeb.exe",
};

// Below the messages of the batch-file road: the key for the road without it.
constexpr int MakeListsRow = 7;
constexpr const char* MakeListsOffer = "Or press M: ZEB runs the emulator to make the lists now, then imports them";

// The lists are missing: the batch file and its messages, then a key. Any
// key ends the program, but M, which has the lists made here and now; the
// program ends also when they cannot be made. True when they were made so.
bool AskForTheLists(Console& console) {
  console.PutText("Please run the RunMe.bat!", {1, 1}, {White, LightRed});
  if (!FileExists("RunMe.bat")) {
    console.PutText("Making RunMe.bat", {1, 3}, {White, Green});
    TextFile batch;
    batch.Create("RunMe.bat");
    for (const char* line : RunMeLines) batch.WriteLine(line);
    batch.Close();
  }
  console.PutText("Press a key to exit", {1, 5}, {White, Black});
  console.PutText(MakeListsOffer, {1, MakeListsRow}, {Yellow, Black});
  unsigned char key = console.GetKey();
  if (key == 'M' || key == 'm') {
    if (MakeLists(console)) return true;  // the import's progress follows below the commands
    console.ProgressLine();
    console.SetColours(White, Black);
    console.ProgressWrite("Press a key to exit");
    console.GetKey();
  }
  // The terminal is given back on this road too: a terminal left in raw
  // mode with mouse reporting on would be unusable.
  console.Restore();
  std::exit(0);
}

// After the lists the key M made, what today's emulator says of its
// machines: its XML list into zeb-machines.txt as it streams, with a bar of
// the machines read against those of the game list; Esc stops it, and the
// start goes on without it. An emulator that gives no version (the classic
// one) is not asked, and nothing shows.
bool MakeInformationAfterTheLists(Console& console, const GameTable& games) {
  const ProgramFile emulator = ResolveProgram(ListsEmulatorName, true);
  if (EmulatorVersion(emulator).empty()) return false;
  console.ProgressLine();
  console.ProgressLine("Reading what the emulator knows of its machines (" + emulator.Name + " -listxml)");
  const int row = console.Screen.CursorRow;
  const InformationRun made = MakeMachineInformation(console, emulator, TableGames(games), row);
  console.ProgressLine();
  if (made.Outcome == InformationMade::Stopped) console.ProgressLine("Stopped: ZEB starts without it");
  if (made.Outcome == InformationMade::Failed) console.ProgressLine("Not made: " + made.Reason);
  return made.Outcome == InformationMade::Made;
}

// What could not be read of a side file, said once on the games list: the
// file is written whole at its next change, without those lines.
std::string SideFileNotice(std::string_view file, const SideFileRead& read) {
  std::string notice(file);
  if (read.Failed) return notice + " could not be read to its end";
  if (read.Dropped == 0) return {};
  return notice + ": " + std::to_string(read.Dropped) + (read.Dropped == 1 ? " line" : " lines") +
         " naming no game left out";
}

}  // namespace

void FirstRun(Console& console, Settings& settings, OptionCaptions& captions, Filter& filter, GameTable& games) {
  bool madeHere = false;
  if (!(FileExists("listfull.txt") && FileExists("listclones.txt"))) madeHere = AskForTheLists(console);

  // A game list without games would make an empty table for good: better to
  // stop, keep the lists for a look, and import again at the next start.
  if (!HasGameLine()) {
    Fatal("listfull.txt holds no games (no line after its first has a driver name); check that the emulator "
          "runs and that listfull.txt holds what \"mame -listfull\" prints, or delete it to have the lists "
          "made again");
  }

  SetDefaultSettings(settings, captions);
  filter = Filter::AllGames;
  // Today's emulator names its own ROM and sample directories: a new table
  // is scanned where the emulator looks.
  EmulatorPaths paths = ReadEmulatorPaths();
  if (paths.RomPaths) settings.RomPaths = *paths.RomPaths;
  if (paths.SamplePath) settings.SamplePaths = *paths.SamplePath;
  console.ProgressLine();
  ReadMameVersion(games);
  ImportGameNames(games, settings, console);
  ImportClones(games, console);
  ImportCategories(games, console);
  ImportCheatCounts(games, console);
  // With the machine information, the table holds only games, each judged
  // available as the emulator judges its ROM sets.
  if (madeHere && MakeInformationAfterTheLists(console, games)) {
    GameMachines machines;
    std::unordered_map<std::string, std::string> reasons;
    std::string problem;
    JudgeWithInformation(console, games, machines, settings, reasons, console.Screen.CursorRow, problem);
  }
  if (!FileExists(SettingsFileName)) SaveSettings(settings, games);
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt", "RunMe.bat"}) DeleteFile(name);
}

void TakeMachineInformation(const GameTable& games, Information& information, GamesList& list) {
  const MachineFileState state = ReadGameMachines(games, information.Machines);
  information.Version = state.Version;
  // A file that is not to be trusted is said so, once; a missing one is
  // the classic emulator's way.
  if (!state.Trusted()) {
    information = Information{};
    if (state.Problem != MachineFileProblem::Missing) list.Notice = state.Reason;
  }
  list.AvailabilityJudged = information.Machines.Known();
}

void StartSession(Session& session) {
  if (!FileExists(SettingsFileName)) {
    FirstRun(session.console, session.settings, session.options.Captions, session.list.ListFilter, session.games);
  }
  if (FileExists(SettingsFileName)) LoadSettings(session.settings, session.games);
  // The user's own lists: what can be read of them is kept.
  const std::string favourites = SideFileNotice(FavouritesFileName, session.favourites.Load(FavouritesFileName));
  const std::string played = SideFileNotice(PlayedGamesFileName, session.played.Load(PlayedGamesFileName));
  session.list.Notice = !favourites.empty() ? favourites : played;
  // The panel of the first screen shows this count.
  CountAvailableGames(session.games);
  // The first screen is shown before the machine information is read (a
  // file there means the information judged the availability: no game is
  // marked available for another's archive), and again with it.
  const bool informationThere = FileExists(MachineFileName);
  session.list.AvailabilityJudged = informationThere;
  ShowScreen(session, session.navigation.CurrentScreen, session.options.OptionsPage);
  DrawScreen(session.console, session);
  if (!informationThere) return;
  session.console.Show();
  TakeMachineInformation(session.games, session.information, session.list);
  if (!session.list.AvailabilityJudged) ShowScreen(session, session.navigation.CurrentScreen, session.options.OptionsPage);
  DrawScreen(session.console, session);
}

int Main() {
  Console console;
  ConsoleOpen(console);
  // The records of the run, at their start values.
  Session session(console);
  RemoveEmptyDirectory("datasave");
  console.HideCursor();
  if (!FileExists("mame.ini")) {
    // Found as the launch finds it; whether it ran is not looked at.
    RunProgramFile(console, ResolveProgram("mame.exe", true), "mame.exe", "-cc");
    console.RepaintAll();
  }
  StartSession(session);
  console.EnableMouse();
  MainLoop(session);
  console.SetColours(LightGrey, Black);
  console.ClearScreen();
  console.ShowCursor();
  console.Restore();
  return 0;
}

}  // namespace zeb
