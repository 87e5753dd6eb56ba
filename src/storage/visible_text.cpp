#include "storage/visible_text.h"

namespace zeb {

std::string VisibleText(std::string_view text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string visible;
  visible.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E) {
      visible += c;
    } else {
      visible += "\\x";
      visible += Hex[byte >> 4];
      visible += Hex[byte & 15];
    }
  }
  return visible;
}

}  // namespace zeb
