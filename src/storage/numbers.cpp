#include "storage/numbers.h"

#include <charconv>

namespace zeb {

ShortString IntText(long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ShortString(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

int32_t TextToInt(std::string_view text) {
  int32_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return 0;
  return value;
}

}  // namespace zeb
