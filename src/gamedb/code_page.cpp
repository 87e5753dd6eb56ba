#include "gamedb/code_page.h"

#include <cstddef>

#include "console/glyphs.h"

namespace zeb {

namespace {

constexpr char32_t GreekSmallBeta = 0x03B2;
constexpr unsigned char SharpS = 0xE1;  // the byte fonts show as sharp s or beta
constexpr char32_t Invalid = 0xFFFFFFFF;

// The character that starts at `at`, and its length in `length`; Invalid
// when the bytes there are not one well-formed UTF-8 character.
char32_t DecodeAt(std::string_view text, std::size_t at, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return Invalid;  // a continuation byte, or a lead that only overlong or too large forms use
  }
  if (text.size() - at < length) return Invalid;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return Invalid;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return Invalid;
  return value;
}

unsigned char CodePageByte(char32_t character) {
  if (character < 0x80) return static_cast<unsigned char>(character);
  if (character == GreekSmallBeta) return SharpS;
  const int byte = GlyphByte(character);
  return byte >= 0x80 ? static_cast<unsigned char>(byte) : static_cast<unsigned char>('?');
}

}  // namespace

std::string CodePage437FromUtf8(std::string_view text) {
  bool beyondAscii = false;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 0;
    if (DecodeAt(text, at, length) == Invalid) return std::string(text);
    beyondAscii = beyondAscii || length > 1;
    at += length;
  }
  if (!beyondAscii) return std::string(text);

  std::string converted;
  converted.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 0;
    converted += static_cast<char>(CodePageByte(DecodeAt(text, at, length)));
    at += length;
  }
  return converted;
}

void StoreListText(ShortString& field, std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      field = CodePage437FromUtf8(text);
      return;
    }
  }
  field = text;
}

}  // namespace zeb
