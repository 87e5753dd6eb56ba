#pragma once
// The letters and digits of a text, as the search compares them: ASCII
// letters in lower case (all of A to Z), the digits, and the characters 128
// to 255 of code page 437 as they are (no folding: "\x82" is é, and only é).
// Every other byte (blanks, punctuation, control bytes) is left out, so that
// "Pac-Man", "PAC MAN" and "pacman" all fold to "pacman".

#include <array>
#include <string>
#include <string_view>

namespace zeb {

namespace folding {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c - 'A' + 'a');
  for (int c = 128; c <= 255; ++c) table[c] = static_cast<unsigned char>(c);
  return table;
}

inline constexpr std::array<unsigned char, 256> FoldTable = MakeFoldTable();

}  // namespace folding

// The byte that `c` folds to, or 0 for a byte the search leaves out (no
// folded text holds a 0 byte).
inline unsigned char FoldedByte(char c) { return folding::FoldTable[static_cast<unsigned char>(c)]; }

// Appends the folded bytes of `text` to `out`.
inline void AppendFolded(std::string& out, std::string_view text) {
  for (char c : text) {
    if (unsigned char folded = FoldedByte(c)) out += static_cast<char>(folded);
  }
}

}  // namespace zeb
