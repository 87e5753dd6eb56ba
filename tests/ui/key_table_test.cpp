// The key table: which row takes a key where, and its rows' help.

#include "ui/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "console/keys.h"

namespace zeb {
namespace {

KeyPress Character(unsigned char c) { return KeyPress{false, c}; }
KeyPress Special(unsigned char code) { return KeyPress{true, code}; }

KeyAction ActionOf(KeyPlace place, KeyPress key) {
  const KeyBinding* row = FindKeyBinding(place, key);
  EXPECT_NE(row, nullptr);
  return row != nullptr ? row->Action : KeyAction::Edit;
}

// A row of one key wins over a row of a kind of keys, wherever it stands.
TEST(KeyTable, AKeyOfItsOwnWinsOverAKindOfKeys) {
  EXPECT_EQ(ActionOf(KeyPlace::GamesList, Character('p')), KeyAction::JumpToLetter);
  EXPECT_EQ(ActionOf(KeyPlace::GamesList, Character('/')), KeyAction::OpenSearch);
  EXPECT_EQ(ActionOf(KeyPlace::GamesList, Special(Key::F1 + 2)), KeyAction::OpenSearch);
  EXPECT_EQ(ActionOf(KeyPlace::GamesList, Character(Key::Enter)), KeyAction::RunSelectedGame);
  EXPECT_EQ(ActionOf(KeyPlace::GamesList, Character(Key::Esc)), KeyAction::AskToQuit);
  EXPECT_EQ(ActionOf(KeyPlace::Search, Character('/')), KeyAction::TypeInSearch);
  EXPECT_EQ(ActionOf(KeyPlace::Search, Character(Key::Esc)), KeyAction::CloseSearch);
  EXPECT_EQ(ActionOf(KeyPlace::Search, Character(Key::Backspace)), KeyAction::EraseInSearch);
  EXPECT_EQ(ActionOf(KeyPlace::Viewer, Special(Key::Down)), KeyAction::Scroll);
  EXPECT_EQ(ActionOf(KeyPlace::LineEditor, Character(Key::Esc)), KeyAction::Edit);
  // The box reads the code of a special key as a character.
  EXPECT_EQ(ActionOf(KeyPlace::Question, Special('y')), KeyAction::AnswerYes);
  EXPECT_EQ(ActionOf(KeyPlace::Question, Character('N')), KeyAction::AnswerNo);
  // Keys that mean nothing where they come.
  EXPECT_EQ(FindKeyBinding(KeyPlace::Viewer, Character('p')), nullptr);
  EXPECT_EQ(FindKeyBinding(KeyPlace::Options, Special(Key::Down)), nullptr);
  EXPECT_EQ(FindKeyBinding(KeyPlace::Question, Character(Key::Esc)), nullptr);
  EXPECT_EQ(FindKeyBinding(KeyPlace::GamesList, Special(Key::PageDown)), nullptr);
}

// No row hides another: a key of its own is bound once per place.
TEST(KeyTable, EveryKeyIsBoundOnceInAPlace) {
  std::set<std::tuple<unsigned, int, unsigned char>> bound;
  for (const KeyBinding& row : KeyBindings) {
    if (row.Match == KeyMatch::AnyCharacter || row.Match == KeyMatch::AnySpecial) continue;
    for (unsigned place = 1; place <= static_cast<unsigned>(KeyPlace::LineEditor); place <<= 1) {
      if ((row.Places & place) == 0) continue;
      const bool character = row.Match != KeyMatch::Special;
      const bool special = row.Match != KeyMatch::Character;
      if (character) {
        EXPECT_TRUE(bound.insert({place, 0, row.Code}).second) << "character " << int(row.Code);
      }
      if (special) {
        EXPECT_TRUE(bound.insert({place, 1, row.Code}).second) << "special " << int(row.Code);
      }
    }
  }
}

TEST(KeyTable, TheHelpIsTheRowsLinesInTheirOrder) {
  const std::string help = KeyHelpText();
  std::size_t at = 0;
  for (const KeyBinding& row : KeyBindings) {
    if (row.Help == nullptr) continue;
    const std::size_t found = help.find(row.Help, at);
    ASSERT_EQ(found, at) << row.Help;
    at += std::string_view(row.Help).size();
    EXPECT_EQ(help[at - 1], '\n');
  }
  EXPECT_EQ(at, help.size());
}

}  // namespace
}  // namespace zeb
