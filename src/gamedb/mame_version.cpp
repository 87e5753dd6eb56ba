// The emulator's version, from the first line of what it prints for "-?":
// the text before the first "-" without the character just before it, and
// without a parenthesised part (and the character before it) that follows.

#include <cstddef>
#include <string_view>

#include "storage/work_file.h"
#include "gamedb/gamedb.h"

namespace zeb {

void ReadMameVersion(GameTable& table) {
  TextFile file;
  file.OpenRead("ver.txt");
  std::string_view line = file.ReadLine();

  std::size_t dash = line.find('-');  // 0-based; the text before it is kept less one character
  std::string_view version = line.substr(0, dash == std::string_view::npos || dash < 2 ? 0 : dash - 1);

  std::size_t parenthesis = version.find('(');
  if (parenthesis != std::string_view::npos && parenthesis >= 1) version = version.substr(0, parenthesis - 1);

  table.MameVersion = version;
  file.Close();
}

}  // namespace zeb
