#pragma once
// Editing a text in place: the editor is a mode of the main loop, open
// until Enter. Typable are the characters from "0" to "z" and those the
// editor also takes; Backspace deletes before the cursor, Left and Right
// move it. The text never grows past 255 characters.

#include <string_view>

#include "ui/session.h"

namespace zeb {

// Opens the editor on `text`, shown from `at` on, the cursor after the text.
void OpenLineEditor(LineEditor& editor, const ShortString& text, Point at, std::string_view alsoTypable);
// Acts on one key; true when it was Enter, which ends the edit (the editor
// is closed, its text the result).
bool EditKey(LineEditor& editor, KeyPress key);
// The last column the editor's text covers: the text with the cursor mark
// and one blank while it is open, the text and one blank once it is closed.
int EditedLastColumn(const LineEditor& editor);
// The text with the cursor mark "_" before the cursor's character and one
// blank after it, white on black.
void DrawEditedText(Console& console, const LineEditor& editor);

}  // namespace zeb
