#pragma once
// Every key binding of the interface, one row each: where it acts, which
// key, what it does, and the line --help shows for it. The main loop finds
// the row of a key and carries out its action; --help's key section is
// written from the rows.

#include <span>
#include <string>

#include "console/console.h"

namespace zeb {

// Where keys go: the screen on display, or what stands over it and takes
// every key while it is open (the confirmation box, the line editor).
enum class KeyPlace : unsigned char {
  GamesList = 1 << 0,
  Search = 1 << 1,  // the games list with its search open
  Viewer = 1 << 2,
  Options = 1 << 3,
  Question = 1 << 4,
  LineEditor = 1 << 5,
};
constexpr unsigned operator|(KeyPlace a, KeyPlace b) { return static_cast<unsigned>(a) | static_cast<unsigned>(b); }
constexpr unsigned operator|(unsigned a, KeyPlace b) { return a | static_cast<unsigned>(b); }

// Which keys a row takes. A row of one key is preferred to a row of a kind
// of keys: the letter jump takes the characters no other row takes.
enum class KeyMatch : unsigned char {
  Character,      // the character Code
  Special,        // the special key Code
  Code,           // Code as a character or as a special key's code (the box reads bytes)
  AnyCharacter,   // every character
  AnySpecial,     // every special key
};

enum class KeyAction : unsigned char {
  Scroll,            // the window on display, by the special key's code
  JumpToLetter,      // the window to the first game beginning with the character
  OpenSearch,
  TypeInSearch,      // the character added to the search's text
  EraseInSearch,     // its last character taken back; on an empty text, the search closed
  CloseSearch,
  PickMatch,         // while the search is open: the selection to another match
  ToggleFavourite,   // the selected game made a favourite, or no more
  RunSelectedGame,
  AskToQuit,         // "Are You Sure (Y/N)?"
  AnswerYes,
  AnswerNo,
  Edit,              // the line editor's keys
};

struct KeyBinding {
  unsigned Places;  // KeyPlace bits
  KeyMatch Match;
  unsigned char Code;
  KeyAction Action;
  const char* Help;  // the line(s) of --help, ending in a line feed; null for none
};

extern const std::span<const KeyBinding> KeyBindings;

// The row that acts on `key` in `place`, or null.
const KeyBinding* FindKeyBinding(KeyPlace place, KeyPress key);

// The key section of --help: the rows' lines in the table's order.
std::string KeyHelpText();

}  // namespace zeb
