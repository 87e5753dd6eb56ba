#include "ui/line_editor.h"

#include <cstring>

#include "console/keys.h"

namespace zeb {

namespace {

constexpr unsigned char FirstTypable = '0';
constexpr unsigned char LastTypable = 'z';
constexpr std::size_t MaxLength = ShortString::Capacity;

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

bool Typable(const LineEditor& editor, unsigned char c) {
  return (c >= FirstTypable && c <= LastTypable) || editor.AlsoTypable.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

void OpenLineEditor(LineEditor& editor, const ShortString& text, Point at, std::string_view alsoTypable) {
  editor.Open = true;
  editor.At = at;
  editor.Text = text;
  editor.Cursor = text.Length();
  editor.AlsoTypable = alsoTypable;
}

bool EditKey(LineEditor& editor, KeyPress key) {
  if (key.Extended) {
    if (key.Code == Key::Left && editor.Cursor > 0) --editor.Cursor;
    if (key.Code == Key::Right && editor.Cursor < editor.Text.Length()) ++editor.Cursor;
  } else if (key.Code == Key::Enter) {
    editor.Open = false;
    return true;
  } else if (key.Code == Key::Backspace) {
    DeleteBeforeCursor(editor.Text, editor.Cursor);
  } else if (key.Code != 0 && Typable(editor, key.Code)) {
    InsertCharacter(editor.Text, editor.Cursor, static_cast<char>(key.Code));
  }
  return false;
}

int EditedLastColumn(const LineEditor& editor) {
  return editor.At.Column + static_cast<int>(editor.Text.Length()) + (editor.Open ? 1 : 0);
}

void DrawEditedText(Console& console, const LineEditor& editor) {
  const ShortString& text = editor.Text;
  const std::size_t length = text.Length();
  const std::size_t cursor = editor.Cursor;
  char shown[MaxLength + 2];
  std::memcpy(shown, text.Data(), cursor);
  shown[cursor] = '_';
  std::memcpy(shown + cursor + 1, text.Data() + cursor, length - cursor);
  shown[length + 1] = ' ';
  console.PutText(std::string_view(shown, length + 2), editor.At, {White, Black});
}

}  // namespace zeb
