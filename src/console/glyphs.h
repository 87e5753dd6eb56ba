#pragma once
// The code page 437 glyphs of the screen's bytes, as UTF-8 for the terminal.
// Every byte has a visible glyph: the control bytes 0x01-0x1F and 0x7F show
// their pictographs and 0x00 shows as a blank, so no byte of the screen's
// content can ever reach the terminal as a control character.

#include <string_view>

namespace zeb {

// The character (a Unicode code point below 0x10000) of the glyph of a byte.
char32_t GlyphCodePoint(unsigned char byte);

// The UTF-8 text (one to three bytes) of the glyph of a byte.
std::string_view GlyphUtf8(unsigned char byte);

// The byte whose glyph is the character `codePoint`, for characters typed on
// the keyboard; -1 when no byte above 0x7F shows it (plain ASCII is not
// looked up here).
int GlyphByte(char32_t codePoint);

}  // namespace zeb
