#pragma once
// Which letters and which pairs of neighbouring letters a folded text
// holds, as bits: a text whose signature lacks a bit of a word's signature
// cannot hold the word. Most texts are ruled out so, at the cost of a few
// bit operations; the others are then looked at.

#include <array>
#include <cstdint>
#include <string_view>

namespace zeb {

namespace signature {

constexpr std::array<unsigned char, 256> MakeLetterBits() {
  std::array<unsigned char, 256> bits{};
  for (int c = 0; c < 256; ++c) {
    if (c >= 'a' && c <= 'z') {
      bits[c] = static_cast<unsigned char>(c - 'a');
    } else if (c >= '0' && c <= '9') {
      bits[c] = static_cast<unsigned char>(26 + (c - '0'));
    } else {
      bits[c] = static_cast<unsigned char>(36 + (c & 0x7F) % 28);
    }
  }
  return bits;
}

inline constexpr std::array<unsigned char, 256> LetterBits = MakeLetterBits();

}  // namespace signature

struct TextSignature {
  uint64_t Letters = 0;   // a bit for each of a-z and 0-9; bytes 128-255 share the other 28
  uint64_t Pairs[2] = {};  // 128 bits, each for some of the pairs of neighbouring letters

  // A folded byte's bit among Letters.
  static int LetterBit(unsigned char c) { return signature::LetterBits[c]; }

  // Takes in the letters of one folded text (pairs never run from one text
  // taken in into the next). Each pair of letters has one of the 128 bits,
  // picked by a multiplicative hash.
  void Add(std::string_view folded) {
    uint32_t previous = 0;
    for (std::size_t i = 0; i < folded.size(); ++i) {
      const uint32_t letter = signature::LetterBits[static_cast<unsigned char>(folded[i])];
      Letters |= uint64_t{1} << letter;
      if (i > 0) {
        const uint32_t bit = ((previous << 6 | letter) * 0x9E3779B1u) >> 25;
        Pairs[bit >> 6] |= uint64_t{1} << (bit & 63);
      }
      previous = letter;
    }
  }
  // Whether a text of this signature may hold a word of signature `word`.
  bool MayHold(const TextSignature& word) const {
    return (Letters & word.Letters) == word.Letters && (Pairs[0] & word.Pairs[0]) == word.Pairs[0] &&
           (Pairs[1] & word.Pairs[1]) == word.Pairs[1];
  }
  // Whether MayHold is the answer itself for `word`: one letter or digit of
  // ASCII, which has a bit of its own.
  static bool Exact(std::string_view word) {
    return word.size() == 1 && LetterBit(static_cast<unsigned char>(word[0])) < 36;
  }
};

}  // namespace zeb
