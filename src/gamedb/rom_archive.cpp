// Where a game's ROM archive is looked for.
//
// RomPaths names one ROM directory, or several separated by ";". A relative
// directory is joined to MamePath with nothing between them; an absolute one
// (beginning with "/" or "\", or with a drive letter and ":") stands as it is.
// Without any ";" the whole text is the one directory, even when empty: the
// archive path is MamePath + RomPaths + "\" + name + ".zip" for a relative
// or empty one (with both empty that is "\" + name + ".zip", in the root
// directory), RomPaths + "\" + name + ".zip" for an absolute one. With ";"
// the empty pieces are passed over.

#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace zeb {

namespace {

bool IsAbsoluteDirectory(std::string_view directory) {
  if (directory.empty()) return false;
  if (directory[0] == '/' || directory[0] == '\\') return true;
  char first = directory[0];
  bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return letter && directory.size() >= 2 && directory[1] == ':';
}

}  // namespace

std::vector<std::string> RomDirectories(const Settings& settings) {
  std::vector<std::string> directories;
  std::string_view paths = settings.RomPaths.View();
  auto add = [&](std::string_view directory) {
    std::string path;
    if (!IsAbsoluteDirectory(directory)) path += settings.MamePath.View();
    path += directory;
    directories.push_back(std::move(path));
  };
  if (paths.find(';') == std::string_view::npos) {
    add(paths);
    return directories;
  }
  while (true) {
    std::size_t end = paths.find(';');
    std::string_view directory = paths.substr(0, end);
    if (!directory.empty()) add(directory);
    if (end == std::string_view::npos) return directories;
    paths.remove_prefix(end + 1);
  }
}

bool RomArchiveExists(const Settings& settings, std::string_view archive) {
  for (const std::string& directory : RomDirectories(settings)) {
    std::string path = directory;
    path += '\\';
    path += archive;
    path += ".zip";
    if (FileExists(path)) return true;
  }
  return false;
}

void MarkAlternativeArchives(GameTable& table, const Settings& settings) {
  // Looked for once, and only when the table holds the game.
  int checked = 0;  // 0: not yet, 1: present, -1: absent
  for (int32_t game = 1; game <= TableGames(table); ++game) {
    GameRecord& record = table.Games[game];
    if (!(record.DriverName == "natodefa")) continue;
    if (checked == 0) checked = RomArchiveExists(settings, "natodef") ? 1 : -1;
    if (checked > 0) record.Available = "1";
  }
}

}  // namespace zeb
