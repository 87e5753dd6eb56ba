#include "ui/key_table.h"

#include "console/keys.h"

namespace zeb {

namespace {

// The places with a list window: its keys scroll it.
constexpr unsigned Windows = KeyPlace::GamesList | KeyPlace::Search | KeyPlace::Viewer;
// Without the search: there the keys pick a match.
constexpr unsigned Lists = KeyPlace::GamesList | KeyPlace::Viewer;
constexpr unsigned char F2 = Key::F1 + 1;
constexpr unsigned char F3 = Key::F1 + 2;
constexpr unsigned Searching = static_cast<unsigned>(KeyPlace::Search);

constexpr KeyBinding Rows[] = {
    {Lists, KeyMatch::Special, Key::Home, KeyAction::Scroll,
     "  Up, Down, Home, End   scroll        Left, Right   shift the text sideways\n"},
    {Lists, KeyMatch::Special, Key::Up, KeyAction::Scroll, nullptr},
    {Lists, KeyMatch::Special, Key::End, KeyAction::Scroll, nullptr},
    {Lists, KeyMatch::Special, Key::Down, KeyAction::Scroll, nullptr},
    {Windows, KeyMatch::Special, Key::Left, KeyAction::Scroll, nullptr},
    {Windows, KeyMatch::Special, Key::Right, KeyAction::Scroll, nullptr},
    {static_cast<unsigned>(KeyPlace::GamesList), KeyMatch::AnyCharacter, 0, KeyAction::JumpToLetter,
     "  a letter              (games list) jump to the first game beginning so\n"},
    {static_cast<unsigned>(KeyPlace::GamesList), KeyMatch::Character, '/', KeyAction::OpenSearch,
     "  / or F3               (games list) search: words of a driver name or its\n"
     "                        description, the best match first; \"two words\" as\n"
     "                        one, -word for none; year:1981 year:1980-1984\n"
     "                        maker:TEXT cat:TEXT players:N is:available is:working\n"
     "                        is:parent is:clone is:bios is:mechanical is:favourite\n"
     "                        is:played; Backspace, Esc closes the search\n"},
    {static_cast<unsigned>(KeyPlace::GamesList), KeyMatch::Special, F3, KeyAction::OpenSearch, nullptr},
    {Searching, KeyMatch::AnyCharacter, 0, KeyAction::TypeInSearch, nullptr},
    {Searching, KeyMatch::Special, Key::Up, KeyAction::PickMatch,
     "  Up, Down, PgUp, PgDn, Home, End   (search) pick a match\n"},
    {Searching, KeyMatch::Special, Key::Down, KeyAction::PickMatch, nullptr},
    {Searching, KeyMatch::Special, Key::PageUp, KeyAction::PickMatch, nullptr},
    {Searching, KeyMatch::Special, Key::PageDown, KeyAction::PickMatch, nullptr},
    {Searching, KeyMatch::Special, Key::Home, KeyAction::PickMatch, nullptr},
    {Searching, KeyMatch::Special, Key::End, KeyAction::PickMatch, nullptr},
    {KeyPlace::GamesList | KeyPlace::Search, KeyMatch::Special, F2, KeyAction::ToggleFavourite,
     "  F2                    (games list) mark the selected game a favourite, or not\n"},
    {Searching, KeyMatch::Character, Key::Backspace, KeyAction::EraseInSearch, nullptr},
    {Searching, KeyMatch::Character, Key::Esc, KeyAction::CloseSearch, nullptr},
    {Windows, KeyMatch::Character, Key::Enter, KeyAction::RunSelectedGame, "  Enter                 run the selected game\n"},
    {KeyPlace::GamesList | KeyPlace::Viewer | KeyPlace::Options, KeyMatch::Character, Key::Esc, KeyAction::AskToQuit,
     "  Esc                   quit, after \"Are You Sure (Y/N)?\" (y or n)\n"},
    // The box reads bytes: the code of a special key answers as its
    // character would (Alt+2, code 121, is a "y").
    {static_cast<unsigned>(KeyPlace::Question), KeyMatch::Code, 'y', KeyAction::AnswerYes, nullptr},
    {static_cast<unsigned>(KeyPlace::Question), KeyMatch::Code, 'Y', KeyAction::AnswerYes, nullptr},
    {static_cast<unsigned>(KeyPlace::Question), KeyMatch::Code, 'n', KeyAction::AnswerNo, nullptr},
    {static_cast<unsigned>(KeyPlace::Question), KeyMatch::Code, 'N', KeyAction::AnswerNo, nullptr},
    {static_cast<unsigned>(KeyPlace::LineEditor), KeyMatch::AnyCharacter, 0, KeyAction::Edit, nullptr},
    {static_cast<unsigned>(KeyPlace::LineEditor), KeyMatch::AnySpecial, 0, KeyAction::Edit, nullptr},
};

bool TakesOne(const KeyBinding& row, KeyPress key) {
  switch (row.Match) {
    case KeyMatch::Character: return !key.Extended && key.Code == row.Code;
    case KeyMatch::Special: return key.Extended && key.Code == row.Code;
    case KeyMatch::Code: return key.Code == row.Code;
    case KeyMatch::AnyCharacter:
    case KeyMatch::AnySpecial: return false;
  }
  return false;
}

bool TakesKind(const KeyBinding& row, KeyPress key) {
  return (row.Match == KeyMatch::AnyCharacter && !key.Extended) || (row.Match == KeyMatch::AnySpecial && key.Extended);
}

}  // namespace

const std::span<const KeyBinding> KeyBindings = Rows;

const KeyBinding* FindKeyBinding(KeyPlace place, KeyPress key) {
  const auto here = static_cast<unsigned>(place);
  for (const KeyBinding& row : Rows) {
    if ((row.Places & here) != 0 && TakesOne(row, key)) return &row;
  }
  for (const KeyBinding& row : Rows) {
    if ((row.Places & here) != 0 && TakesKind(row, key)) return &row;
  }
  return nullptr;
}

std::string KeyHelpText() {
  std::string text;
  for (const KeyBinding& row : Rows) {
    if (row.Help != nullptr) text += row.Help;
  }
  return text;
}

}  // namespace zeb
