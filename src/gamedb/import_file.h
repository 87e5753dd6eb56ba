#pragma once
// The start that the imports of the optional files share.

#include <string_view>

#include "console/console.h"
#include "storage/work_file.h"

namespace zeb {

// A blank progress line; then, when `file` is missing, the line `missing`
// and false; else the line `starting`, and the file open in `list`.
bool OpenOptionalList(Console& console, TextFile& list, std::string_view file, std::string_view missing,
                      std::string_view starting);

}  // namespace zeb
