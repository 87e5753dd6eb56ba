#include "gamedb/import_file.h"

#include "storage/file_system.h"

namespace zeb {

bool OpenOptionalList(Console& console, TextFile& list, std::string_view file, std::string_view missing,
                      std::string_view starting) {
  console.ProgressLine();
  if (!FileExists(file)) {
    console.ProgressLine(missing);
    return false;
  }
  console.ProgressLine(starting);
  list.OpenRead(file);
  return true;
}

}  // namespace zeb
