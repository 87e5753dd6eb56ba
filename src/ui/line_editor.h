#pragma once
// Editing a text in place; modal until Enter.

#include "core/short_string.h"

namespace zeb {

ShortString EditLine(const ShortString& text, int row, int column);

}  // namespace zeb
