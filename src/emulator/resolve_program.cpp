// Which file runs for the emulator's name: the name itself, or where the
// system installs programs without ".exe" the name without it, both in the
// directory it is to run in, and for a bare name the search path after the
// current directory where the system has one. The platform's program_file
// says which of these it has.

#include <algorithm>
#include <cctype>

#include "emulator/processes.h"
#include "emulator/program_file.h"

namespace zeb {

namespace {

bool EndsWithExe(std::string_view name) {
  constexpr std::string_view Suffix = ".exe";
  if (name.size() <= Suffix.size()) return false;
  std::string_view end = name.substr(name.size() - Suffix.size());
  return std::equal(end.begin(), end.end(), Suffix.begin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// The names a program may be found under, the name itself first.
std::vector<std::string> ProgramNames(std::string_view program) {
  std::vector<std::string> names{std::string(program)};
  if (ExeSuffixOptional && EndsWithExe(program)) names.emplace_back(program.substr(0, program.size() - 4));
  return names;
}

bool SearchesPath(std::string_view program, bool searchPath) {
  return searchPath && HasSearchPath && !program.empty() && !HasDirectoryPart(program);
}

}  // namespace

ProgramFile ResolveProgram(std::string_view program, bool searchPath, std::string_view directory) {
  std::vector<std::string> names = ProgramNames(program);
  const std::string runDirectory = RunDirectory(directory);

  ProgramFile notFound{std::string(), std::string(program), std::string(), runDirectory};
  for (const std::string& name : names) {
    std::string path = PlacedProgramPath(name, runDirectory);
    bool missing = false;
    std::string problem = ProgramFileProblem(path, missing);
    if (problem.empty()) return ProgramFile{path, name, std::string(), runDirectory};
    // A file that is there but cannot run is the better reason to give.
    if (!missing && notFound.Reason.empty()) notFound = ProgramFile{std::string(), name, problem, runDirectory};
  }

  // The search path's entries are taken from our current directory, where
  // the program then runs.
  if (runDirectory.empty() && SearchesPath(program, searchPath)) {
    for (const std::string& entry : SearchPathDirectories()) {
      for (const std::string& name : names) {
        std::string path = InDirectory(entry, name);
        bool missing = false;
        if (ProgramFileProblem(path, missing).empty()) return ProgramFile{path, name, std::string()};
      }
    }
  }
  if (notFound.Reason.empty()) notFound.Reason = MissingProgramReason();
  return notFound;
}

RunOutcome RunAndWait(Console& console, std::string_view program, std::string_view arguments) {
  // The program's own path, never looked up on the search path: a relative
  // one is taken from the current directory.
  ProgramFile file{PlacedProgramPath(program), std::string(program), std::string()};
  bool missing = false;
  file.Reason = ProgramFileProblem(file.Path, missing);
  if (!file.Reason.empty()) file.Path.clear();
  return RunProgramFile(console, file, program, arguments);
}

std::string ProgramPlaces(std::string_view program, bool searchPath) {
  std::string places;
  for (const std::string& name : ProgramNames(program)) places += (places.empty() ? "" : " and ") + name;
  places += " here";
  if (SearchesPath(program, searchPath)) places += " and on the PATH";
  return places;
}

}  // namespace zeb
