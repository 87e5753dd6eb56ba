#pragma once
// The start that the imports of the optional files share.

#include <string_view>

namespace zeb {

// A blank progress line; then, when `file` is missing, the line `missing`
// and false; else the line `starting`, and the file open in WorkFile.
bool OpenOptionalList(std::string_view file, std::string_view missing, std::string_view starting);

}  // namespace zeb
