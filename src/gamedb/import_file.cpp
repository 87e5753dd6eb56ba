#include "gamedb/import_file.h"

#include "console/console.h"
#include "storage/file_system.h"
#include "storage/work_file.h"

namespace zeb {

bool OpenOptionalList(std::string_view file, std::string_view missing, std::string_view starting) {
  ProgressLine();
  if (!FileExists(file)) {
    ProgressLine(missing);
    return false;
  }
  ProgressLine(starting);
  WorkFile.OpenRead(file);
  return true;
}

}  // namespace zeb
