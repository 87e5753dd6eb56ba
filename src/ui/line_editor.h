#pragma once
// Editing a text in place; modal until Enter.

#include <string_view>

#include "console/console.h"
#include "storage/short_string.h"

namespace zeb {

// Typable are the characters from "0" to "z" and those of `alsoTypable`.
ShortString EditLine(Console& console, const ShortString& text, int row, int column,
                     std::string_view alsoTypable = {});

}  // namespace zeb
