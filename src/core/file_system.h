#pragma once
// The file-system operations the program needs. Paths are built Windows-style
// with "\" as the program always did; they are mapped to "/" here.

#include <string>
#include <string_view>

namespace zeb {

// The characters that paths on this system need besides letters and digits
// and the signs between "0" and "z" ("/", "." and "-" on POSIX).
extern const std::string_view PathCharacters;

// The path as the operating system takes it: every "\" becomes "/".
std::string NativePath(std::string_view path);

// True when a directory entry of that name exists and is not a directory.
bool FileExists(std::string_view path);

// Each returns whether it succeeded; callers that do not care ignore it.
bool DeleteFile(std::string_view path);
bool RemoveEmptyDirectory(std::string_view path);
bool RenameFile(std::string_view from, std::string_view to);
bool SetCurrentDir(std::string_view path);
std::string GetCurrentDir();

}  // namespace zeb
