// Which file runs for the emulator's name: the name itself, or where the
// system installs programs without ".exe" the name without it, and for a
// bare name the search path after the current directory.

#include <algorithm>
#include <cctype>

#include "launch/launch.h"
#include "launch/program_file.h"

namespace zeb {

namespace {

bool EndsWithExe(std::string_view name) {
  constexpr std::string_view Suffix = ".exe";
  if (name.size() <= Suffix.size()) return false;
  std::string_view end = name.substr(name.size() - Suffix.size());
  return std::equal(end.begin(), end.end(), Suffix.begin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

ProgramFile ResolveProgram(std::string_view program, bool searchPath) {
  std::vector<std::string> names{std::string(program)};
  if (ExeSuffixOptional && EndsWithExe(program)) names.emplace_back(program.substr(0, program.size() - 4));

  ProgramFile notFound{std::string(), std::string(program), std::string()};
  for (const std::string& name : names) {
    std::string path = PlacedProgramPath(name);
    bool missing = false;
    std::string problem = ProgramFileProblem(path, missing);
    if (problem.empty()) return ProgramFile{path, name, std::string()};
    // A file that is there but cannot run is the better reason to give.
    if (!missing && notFound.Reason.empty()) notFound = ProgramFile{std::string(), name, problem};
  }

  if (searchPath && !program.empty() && !HasDirectoryPart(program)) {
    for (const std::string& directory : SearchPathDirectories()) {
      for (const std::string& name : names) {
        std::string path = InDirectory(directory, name);
        bool missing = false;
        if (ProgramFileProblem(path, missing).empty()) return ProgramFile{path, name, std::string()};
      }
    }
  }
  if (notFound.Reason.empty()) notFound.Reason = MissingProgramReason();
  return notFound;
}

}  // namespace zeb
