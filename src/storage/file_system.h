#pragma once
// The file-system operations the program needs. Paths are built Windows-style
// with "\" as the program always did; they are mapped to "/" here.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zeb {

// The characters that paths on this system need besides letters and digits
// and the signs between "0" and "z" ("/", "." and "-" on POSIX; none on
// Windows, whose "\" and ":" are among those signs).
extern const std::string_view PathCharacters;

// The path as the operating system takes it: every "\" becomes "/".
std::string NativePath(std::string_view path);

// True when a directory entry of that name exists and is not a directory.
bool FileExists(std::string_view path);

// Each returns whether it succeeded; callers that do not care ignore it.
bool DeleteFile(std::string_view path);
bool RemoveEmptyDirectory(std::string_view path);
bool SetCurrentDir(std::string_view path);
std::string GetCurrentDir();

// A file written in full beside the one it is to replace, then put in its
// place, so that a save that fails or is cut off never damages the old file.
//
// Creates a new, empty file for writing whose name is `path` followed by
// ".tmp." and a few random characters, in the same directory. It is always a
// file made here and now: never an existing file, never a link or anything a
// link points to. Returns its stream and its name (in the form `path` has),
// or nullptr with errno set when none can be made.
std::FILE* CreateUniqueFileBeside(std::string_view path, std::string& uniqueName);
// A name to try for it: `path`, ".tmp." and six letters or digits that
// `state` picks and moves on.
std::string UniqueNameCandidate(std::string_view path, uint64_t& state);
// Each system's part of it: a seed that differs from one save to the next,
// and a file made new under `path` (in the form the program writes paths),
// or nullptr with errno set and `exists` telling whether the name was taken.
uint64_t UniqueNameSeed();
std::FILE* CreateNewFile(const std::string& path, bool& exists);
// Flushes the stream and forces its data to the disk.
bool SyncFile(std::FILE* file);
// Renames `from` over `to` (which may exist) and forces the directory's new
// entry to the disk where the system can.
bool ReplaceFile(std::string_view from, std::string_view to);

}  // namespace zeb
