#pragma once
// Texts of the emulator's lists in the screen's code page. Today's emulator
// writes its descriptions in UTF-8; the table, zeb.ini and the screen hold
// code page 437 bytes.

#include <string>
#include <string_view>

#include "storage/short_string.h"

namespace zeb {

// The text in code page 437 when it is valid UTF-8 that holds characters
// beyond ASCII: each such character becomes the byte above 0x7F that shows
// it (Greek small beta the byte of the sharp s, which fonts draw as either),
// any other becomes "?"; ASCII stays. A text that is all ASCII or is not
// valid UTF-8 (already in code page 437, or in Latin-1) is returned byte for
// byte. Valid means strictly so: no overlong form, no surrogate, nothing
// above U+10FFFF, no sequence cut short (a line cut at 255 bytes inside a
// character therefore stays as it is). The result is never longer than the
// text, and holds a byte below 0x20 or 0x7F only where the text did.
std::string CodePage437FromUtf8(std::string_view text);

// Stores `text` into `field` as the table keeps it: converted as above when
// it holds a byte beyond ASCII, byte for byte otherwise.
void StoreListText(ShortString& field, std::string_view text);

}  // namespace zeb
