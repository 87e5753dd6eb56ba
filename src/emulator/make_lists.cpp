#include "emulator/make_lists.h"

#include <string>
#include <vector>

#include "console/colours.h"
#include "storage/file_system.h"
#include "storage/work_file.h"
#include "gamedb/gamedb.h"
#include "emulator/processes.h"

namespace zeb {

namespace {

// The emulator's name in the batch file, and the three files it writes.
constexpr const char* EmulatorName = ListsEmulatorName;

struct ListCommand {
  const char* Option;
  const char* File;
  bool List;  // a list: asked for with -sortdriver first, and checked
};

constexpr ListCommand Commands[] = {
    {"-?", "ver.txt", false},
    {"-listfull", "listfull.txt", true},
    {"-listclones", "listclones.txt", true},
};

// What one command gave: empty when it did what was asked, else what went
// wrong, with the emulator's error text beside it.
struct Attempt {
  std::string Failure;
  std::string ErrorText;
};

bool FileIsEmpty(const std::string& name) {
  TextFile file;
  file.OpenRead(name);
  bool empty = file.Eof();
  file.Close();
  return empty;
}

std::string CommandText(const ProgramFile& emulator, const ListCommand& command, bool sorted) {
  std::string text = emulator.Name + " " + command.Option + " >" + command.File;
  if (sorted) text += " -sortdriver";
  return text;
}

// A list yields nothing when the emulator failed, or when the game list
// holds no game line, or the clone list nothing at all.
std::string ListProblem(const ListCommand& command) {
  std::string file = command.File;
  if (file == "listfull.txt") return HasGameLine() ? std::string() : "it wrote no game lines into " + file;
  if (file == "listclones.txt" && FileIsEmpty(file)) return "it wrote nothing into " + file;
  return std::string();
}

Attempt Run(Console& console, const ProgramFile& emulator, const ListCommand& command, bool sorted) {
  console.ProgressLine(CommandText(emulator, command, sorted));
  std::vector<std::string> arguments{emulator.Name, command.Option};
  if (sorted) arguments.emplace_back("-sortdriver");
  CapturedRun run = RunIntoFile(emulator, arguments, command.File);
  Attempt attempt{std::string(), run.ErrorText};
  if (!run.Started) {
    attempt.Failure = "Cannot run " + emulator.Path + ": " + run.Reason;
  } else if (run.Signal != 0) {
    attempt.Failure = emulator.Path + " was ended by signal " + std::to_string(run.Signal);
  } else if (run.ExitStatus != 0 && command.List) {
    attempt.Failure = emulator.Path + " ended with status " + std::to_string(run.ExitStatus);
  } else if (command.List) {
    std::string problem = ListProblem(command);
    if (!problem.empty()) attempt.Failure = emulator.Path + " ran, but " + problem;
  }
  return attempt;
}

// The emulator's text, line by line, each byte as its glyph.
void ShowErrorText(Console& console, const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    console.ProgressGlyphs(line);
    console.ProgressLine();
    start = end + 1;
  }
}

void ShowFailure(Console& console, const Attempt& attempt) {
  console.ProgressLine();
  console.SetColours(LightRed, Black);
  console.ProgressLine("The lists could not be made:");
  console.ProgressLine(attempt.Failure);
  console.SetColours(LightGrey, Black);
  ShowErrorText(console, attempt.ErrorText);
}

}  // namespace

bool MakeLists(Console& console) {
  console.SetColours(LightGrey, Black);
  console.ClearScreen();

  bool existed[std::size(Commands)];
  for (std::size_t i = 0; i < std::size(Commands); ++i) existed[i] = FileExists(Commands[i].File);

  ProgramFile emulator = ResolveProgram(EmulatorName, true);
  Attempt failed;
  if (emulator.Path.empty()) {
    failed.Failure = "Cannot run " + emulator.Name + ": " + emulator.Reason +
                     "\r\n(looked for " + ProgramPlaces(EmulatorName, true) + ")";
  } else {
    console.ProgressLine("Making the lists with " + emulator.Path);
    console.ProgressLine();
    for (const ListCommand& command : Commands) {
      Attempt attempt = Run(console, emulator, command, command.List);
      if (!attempt.Failure.empty() && command.List) attempt = Run(console, emulator, command, false);
      if (!attempt.Failure.empty()) {
        failed = attempt;
        break;
      }
    }
  }
  if (failed.Failure.empty()) return true;

  for (std::size_t i = 0; i < std::size(Commands); ++i) {
    if (!existed[i]) DeleteFile(Commands[i].File);
  }
  ShowFailure(console, failed);
  return false;
}

}  // namespace zeb
