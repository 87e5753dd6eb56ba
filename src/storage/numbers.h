#pragma once
// Numbers as decimal text, and back.

#include <cstdint>
#include <string_view>

#include "storage/short_string.h"

namespace zeb {

// Decimal text of an integer ("-12" for a negative one).
ShortString IntText(long long value);
// The value of a decimal text: an optional "-" and digits, within 32 bits;
// 0 for anything else.
int32_t TextToInt(std::string_view text);

}  // namespace zeb
