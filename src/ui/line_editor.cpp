#include "ui/line_editor.h"

#include <cstring>

#include "console/colours.h"
#include "console/keys.h"

namespace zeb {

namespace {

constexpr unsigned char FirstTypable = '0';
constexpr unsigned char LastTypable = 'z';
constexpr std::size_t MaxLength = ShortString::Capacity;

// The text with the cursor mark "_" after its first `cursor` characters and
// one blank at the end, white on black.
void DrawEditedText(Console& console, const ShortString& text, std::size_t cursor, int row, int column) {
  char shown[MaxLength + 2];
  std::size_t length = text.Length();
  std::memcpy(shown, text.Data(), cursor);
  shown[cursor] = '_';
  std::memcpy(shown + cursor + 1, text.Data() + cursor, length - cursor);
  shown[length + 1] = ' ';
  console.PutText(std::string_view(shown, length + 2), column, row, White, Black);
}

// Inserts `key` at the cursor. A full text loses its last character to
// make room; at the end of a full text nothing is added.
void InsertCharacter(ShortString& text, std::size_t& cursor, char key) {
  std::size_t length = text.Length();
  if (cursor >= MaxLength) return;
  char edited[MaxLength + 1];
  std::memcpy(edited, text.Data(), cursor);
  edited[cursor] = key;
  std::memcpy(edited + cursor + 1, text.Data() + cursor, length - cursor);
  text = std::string_view(edited, length + 1);  // keeps the first 255
  ++cursor;
}

void DeleteBeforeCursor(ShortString& text, std::size_t& cursor) {
  if (cursor == 0) return;
  std::size_t length = text.Length();
  char edited[MaxLength];
  std::memcpy(edited, text.Data(), cursor - 1);
  std::memcpy(edited + cursor - 1, text.Data() + cursor, length - cursor);
  text = std::string_view(edited, length - 1);
  --cursor;
}

}  // namespace

ShortString EditLine(Console& console, const ShortString& text, int row, int column, std::string_view alsoTypable) {
  ShortString edited = text;
  std::size_t cursor = edited.Length();
  for (;;) {
    DrawEditedText(console, edited, cursor, row, column);
    unsigned char key = console.GetKey();
    bool typable = (key >= FirstTypable && key <= LastTypable) ||
                   (key != 0 && alsoTypable.find(static_cast<char>(key)) != std::string_view::npos);
    if (typable) {
      InsertCharacter(edited, cursor, static_cast<char>(key));
    } else if (key == Key::Backspace) {
      DeleteBeforeCursor(edited, cursor);
    } else if (key == Key::Enter) {
      break;
    } else if (key == 0 && console.KeyWaiting()) {
      key = console.GetKey();
      if (key == Key::Left && cursor > 0) --cursor;
      if (key == Key::Right && cursor < edited.Length()) ++cursor;
    }
  }
  // Once more without the mark: the text and one blank.
  char shown[MaxLength + 1];
  std::memcpy(shown, edited.Data(), edited.Length());
  shown[edited.Length()] = ' ';
  console.PutText(std::string_view(shown, edited.Length() + 1), column, row, White, Black);
  return edited;
}

}  // namespace zeb
