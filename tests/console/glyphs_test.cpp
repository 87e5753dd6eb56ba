// Code page 437 glyphs as UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "console/glyphs.h"

namespace zeb {
namespace {

// Decodes one UTF-8 character; -1 when the text is not exactly one
// well-formed character.
long DecodeOne(std::string_view text) {
  if (text.empty()) return -1;
  auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
  if (length == 0 || text.size() != length) return -1;
  long value = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
  for (std::size_t i = 1; i < length; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) != 0x80) return -1;
    value = (value << 6) | (c & 0x3F);
  }
  long minimum = length == 1 ? 0 : length == 2 ? 0x80 : 0x800;
  return value < minimum ? -1 : value;
}

TEST(GlyphsTest, EveryByteIsOnePrintableCharacter) {
  for (int byte = 0; byte < 256; ++byte) {
    std::string_view glyph = GlyphUtf8(static_cast<unsigned char>(byte));
    long c = DecodeOne(glyph);
    ASSERT_GE(c, 0) << "byte " << byte;
    EXPECT_FALSE(c < 0x20 || (c >= 0x7F && c < 0xA0)) << "byte " << byte << " shows a control character";
    for (char b : glyph) {
      auto u = static_cast<unsigned char>(b);
      EXPECT_FALSE(u < 0x20 || u == 0x7F) << "byte " << byte;
    }
  }
}

TEST(GlyphsTest, TheGlyphsTheInterfaceDraws) {
  EXPECT_EQ(GlyphUtf8(0x00), " ");
  EXPECT_EQ(GlyphUtf8('A'), "A");
  EXPECT_EQ(GlyphUtf8(0x10), "\u25BA");  // right-pointing triangle
  EXPECT_EQ(GlyphUtf8(0x11), "\u25C4");
  EXPECT_EQ(GlyphUtf8(0x1E), "\u25B2");
  EXPECT_EQ(GlyphUtf8(0x1F), "\u25BC");
  EXPECT_EQ(GlyphUtf8(0x1B), "\u2190");  // ESC shows an arrow
  EXPECT_EQ(GlyphUtf8(0x7F), "\u2302");
  EXPECT_EQ(GlyphUtf8(0xB1), "\u2592");  // medium shade
  EXPECT_EQ(GlyphUtf8(0xB3), "\u2502");
  EXPECT_EQ(GlyphUtf8(0xC4), "\u2500");
  EXPECT_EQ(GlyphUtf8(0xDA), "\u250C");
  EXPECT_EQ(GlyphUtf8(0xBF), "\u2510");
  EXPECT_EQ(GlyphUtf8(0xC0), "\u2514");
  EXPECT_EQ(GlyphUtf8(0xD9), "\u2518");
  EXPECT_EQ(GlyphUtf8(0xDB), "\u2588");
  EXPECT_EQ(GlyphUtf8(0x82), "\u00E9");
  EXPECT_EQ(GlyphUtf8(0xFF), "\u00A0");
}

TEST(GlyphsTest, TypedCharactersFindTheirByte) {
  for (int byte = 0x80; byte < 0x100; ++byte) {
    long c = DecodeOne(GlyphUtf8(static_cast<unsigned char>(byte)));
    EXPECT_EQ(GlyphByte(static_cast<char32_t>(c)), byte);
  }
  EXPECT_EQ(GlyphByte(U'A'), -1);
  EXPECT_EQ(GlyphByte(0x20AC), -1);  // the euro sign is not in the code page
}

}  // namespace
}  // namespace zeb
