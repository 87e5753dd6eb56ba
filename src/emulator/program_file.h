#pragma once
// What the system says about program files: where a program name points,
// whether a file can run, and the search path. One implementation per
// platform (program_file_posix.cpp, ...).

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// True where a program called "x.exe" may be installed as "x".
extern const bool ExeSuffixOptional;
// True where a bare program name may be looked up on a search path.
extern const bool HasSearchPath;

// The file the system runs for a program text taken relative to
// `directory` (an absolute path made by RunDirectory; "" for the current
// directory), "\" read as the directory separator. A program text that is
// an absolute path stays one.
std::string PlacedProgramPath(std::string_view program, const std::string& directory = {});
// The directory a program is to run in as an absolute path, a relative one
// taken from the current directory ("" stays "": the current directory).
std::string RunDirectory(std::string_view directory);
// Empty when a program can be started in `directory`; otherwise the reason,
// as the system gives it for entering the directory.
std::string DirectoryProblem(std::string_view directory);
// True when the program text names a directory as well as a file.
bool HasDirectoryPart(std::string_view program);

// Empty when `path` is a file the system can run as a program; otherwise the
// reason, with `missing` set when there is no such file at all.
std::string ProgramFileProblem(const std::string& path, bool& missing);
// The reason given for a program that exists nowhere.
std::string MissingProgramReason();

// The directories of the search path in order, as a shell takes them (an
// empty entry is the current directory), and a file name placed in one.
std::vector<std::string> SearchPathDirectories();
std::string InDirectory(const std::string& directory, std::string_view name);

}  // namespace zeb
