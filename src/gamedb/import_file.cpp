#include "gamedb/import_file.h"

#include "console/console.h"
#include "core/file_system.h"
#include "core/work_file.h"

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
