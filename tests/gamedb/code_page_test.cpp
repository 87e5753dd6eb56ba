// Descriptions in UTF-8 become code page 437; texts in a code page stay as
// they are.

#include <gtest/gtest.h>

#include <string>

#include "console/glyphs.h"
#include "gamedb/code_page.h"

namespace zeb {
namespace {

std::string Utf8(char32_t c) {
  std::string bytes;
  if (c < 0x80) {
    bytes += static_cast<char>(c);
  } else if (c < 0x800) {
    bytes += static_cast<char>(0xC0 | (c >> 6));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes += static_cast<char>(0xE0 | (c >> 12));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (c >> 18));
    bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  }
  return bytes;
}

TEST(CodePageFromUtf8, TheCharactersOfTodaysListBecomeTheirBytes) {
  const struct {
    char32_t Character;
    unsigned char Byte;
  } cases[] = {
      {0x00A3, 0x9C},  // pound sign, 349 descriptions
      {0x00E9, 0x82},  // e acute
      {0x00B5, 0xE6},  // micro sign
      {0x00E4, 0x84},  // a umlaut
      {0x00F3, 0xA2},  // o acute
      {0x00F6, 0x94},  // o umlaut
      {0x03B2, 0xE1},  // Greek beta: the byte fonts show as sharp s or beta
      {0x00FC, 0x81},  // u umlaut
      {0x00B2, 0xFD},  // superscript two
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePage437FromUtf8("x" + Utf8(c.Character) + "y"), "x" + std::string(1, static_cast<char>(c.Byte)) + "y")
        << "U+" << std::hex << static_cast<unsigned long>(c.Character);
  }
  EXPECT_EQ(CodePage437FromUtf8("Attach\xC3\xA9 Case"), "Attach\x82 Case");
  EXPECT_EQ(CodePage437FromUtf8("Coin \xC2\xA3" "1 / \xC3\x9F"), "Coin \x9C" "1 / \xE1");

  // Characters the code page lacks: one "?" each, whatever their length.
  EXPECT_EQ(CodePage437FromUtf8("\xE2\x82\xAC" "5 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x91\xBE \xC3\xA9"),
            "?5 ?? ? \x82");
  // The pictures of the control bytes and of 0x7F are no characters of
  // the text's: they never become those bytes.
  EXPECT_EQ(CodePage437FromUtf8("\xE2\x98\xBA \xE2\x8C\x82 \xE2\x99\xAA"), "? ? ?");
}

TEST(CodePageFromUtf8, TextsThatAreNotUtf8OrOnlyAsciiStayByteForByte) {
  const std::string unchanged[] = {
      "Attach\xE9 (Latin-1)",
      "Attach\x82 (code page 437) \x9C" "5",
      "\xC9\xCD\xCD\xBB box",
      "Pac-Man\t(plain ASCII) \x01\x7F",
      "",
      // Not strictly UTF-8, each beside a valid character that would
      // otherwise be converted: an overlong "/", an overlong three-byte
      // form, a surrogate, a character above U+10FFFF, a lone continuation
      // byte, a sequence cut short at the end and one cut short inside.
      "\xC3\xA9 \xC0\xAF",
      "\xC3\xA9 \xE0\x80\xAF",
      "\xC3\xA9 \xED\xA0\x80",
      "\xC3\xA9 \xF4\x90\x80\x80",
      "\xC3\xA9 \x80",
      "\xC3\xA9 \xC3",
      "\xC3\xA9 \xE2\x82 x",
  };
  for (const std::string& text : unchanged) EXPECT_EQ(CodePage437FromUtf8(text), text) << text;
}

TEST(CodePageFromUtf8, LinesOfTheImportLength) {
  // A full line of 255 bytes: 127 two-byte characters and one more byte.
  std::string line;
  for (int i = 0; i < 127; ++i) line += "\xC3\xA9";
  EXPECT_EQ(CodePage437FromUtf8(line + "!"), std::string(127, '\x82') + "!");
  // Cut at 255 bytes inside a character: no longer strictly UTF-8.
  std::string cut = line + "\xC3";
  EXPECT_EQ(CodePage437FromUtf8(cut), cut);
  // The last character of the longest form still fits.
  std::string four = std::string(251, 'a') + "\xF0\x9F\x91\xBE";
  EXPECT_EQ(CodePage437FromUtf8(four), std::string(251, 'a') + "?");
}

// Every character of the first plane (and a sample of the others): one
// byte, which is either "?" or the byte that shows that very character;
// never a control byte or 0x7F.
TEST(CodePageFromUtf8, EveryCharacterBecomesOneByteThatShowsIt) {
  int shown = 0;
  for (char32_t c = 0x80; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 251) {
    if (c == 0xD800) c = 0xE000;  // surrogates are no characters
    std::string converted = CodePage437FromUtf8(Utf8(c));
    ASSERT_EQ(converted.size(), 1u) << std::hex << static_cast<unsigned long>(c);
    auto byte = static_cast<unsigned char>(converted[0]);
    ASSERT_TRUE(byte >= 0x80 || byte == '?') << std::hex << static_cast<unsigned long>(c);
    if (byte == '?') continue;
    ++shown;
    EXPECT_TRUE(GlyphCodePoint(byte) == c || (c == 0x03B2 && byte == 0xE1))
        << std::hex << static_cast<unsigned long>(c);
  }
  EXPECT_EQ(shown, 129);  // the 128 bytes above 0x7F, and beta
}

}  // namespace
}  // namespace zeb
