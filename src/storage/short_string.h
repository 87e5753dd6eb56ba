#pragma once
// Text of at most 255 single-byte characters. Assigning or appending past 255
// characters keeps the first 255; comparisons are exact, whole-string and
// case-sensitive.
//
// A text costs what its bytes cost. Up to InlineCapacity bytes sit in the
// object itself (16 bytes in all: driver names, flags, numbers); a longer
// text lives in a block of a size class just above its length. A later
// text that fits the block re-uses it; one short enough to sit inline gives
// the block back. A copy holds its own bytes; a move hands the block over.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zeb {

// The blocks of the texts longer than fit in a ShortString itself, of the
// capacities BlockCapacityFor gives (text_blocks.cpp).
char* TakeTextBlock(std::size_t capacity);
void GiveTextBlock(char* block, std::size_t capacity);

class ShortString {
 public:
  static constexpr std::size_t Capacity = 255;
  static constexpr std::size_t InlineCapacity = 14;

  constexpr ShortString() = default;
  ShortString(std::string_view text) { Assign(text); }  // NOLINT: implicit by design
  ShortString(const char* text) { Assign(std::string_view(text)); }  // NOLINT
  ShortString(const std::string& text) { Assign(text); }              // NOLINT
  ShortString(const ShortString& other) { Assign(other.View()); }
  ShortString(ShortString&& other) noexcept { TakeFrom(other); }
  ~ShortString() { ReleaseBlock(); }

  ShortString& operator=(const ShortString& other) {
    Assign(other.View());  // a text assigned to itself fits where it is
    return *this;
  }
  ShortString& operator=(ShortString&& other) noexcept {
    if (this != &other) {
      ReleaseBlock();
      TakeFrom(other);
    }
    return *this;
  }
  ShortString& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  ShortString& operator=(const std::string& text) {
    Assign(text);
    return *this;
  }
  ShortString& operator=(const char* text) {
    Assign(std::string_view(text));
    return *this;
  }

  // The source may lie within this text's own bytes (assigning a part of
  // itself): it is read before anything it lies in is given back.
  void Assign(std::string_view text) {
    std::size_t n = text.size() < Capacity ? text.size() : Capacity;
    char* block = Block();
    if (n <= InlineCapacity) {
      const std::size_t oldCapacity = blockCapacity_;
      if (n > 0) std::memmove(inline_, text.data(), n);
      blockCapacity_ = 0;
      length_ = static_cast<unsigned char>(n);
      if (block != nullptr) GiveTextBlock(block, oldCapacity);
    } else if (n <= blockCapacity_) {
      std::memmove(block, text.data(), n);
      length_ = static_cast<unsigned char>(n);
    } else {
      MoveToNewBlock(n, std::string_view(), text.substr(0, n));
    }
  }

  ShortString& Append(std::string_view text) {
    std::size_t room = Capacity - length_;
    std::size_t n = text.size() < room ? text.size() : room;
    if (n == 0) return *this;
    std::size_t total = length_ + n;
    if (total <= Room()) {
      std::memmove(Bytes() + length_, text.data(), n);
      length_ = static_cast<unsigned char>(total);
    } else {
      MoveToNewBlock(total, View(), text.substr(0, n));
    }
    return *this;
  }
  ShortString& Append(char c) { return Append(std::string_view(&c, 1)); }
  ShortString& operator+=(std::string_view text) { return Append(text); }
  ShortString& operator+=(char c) { return Append(c); }

  void Clear() { Assign(std::string_view()); }
  std::size_t Length() const { return length_; }
  bool Empty() const { return length_ == 0; }
  const char* Data() const { return Bytes(); }
  // Index below Length().
  char operator[](std::size_t i) const { return Bytes()[i]; }
  char& operator[](std::size_t i) { return Bytes()[i]; }

  std::string_view View() const { return std::string_view(Bytes(), length_); }
  operator std::string_view() const { return View(); }  // NOLINT: implicit by design
  std::string Str() const { return std::string(View()); }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.View() == b.View(); }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.View() == b; }
  friend bool operator==(const ShortString& a, const char* b) { return a.View() == std::string_view(b); }

  // The bytes that a text of `length` bytes keeps in a block (0 inline):
  // 24, 40, 56 ... 248 (16-byte steps), then 255.
  static std::size_t BlockCapacityFor(std::size_t length) {
    if (length <= InlineCapacity) return 0;
    std::size_t size = ((length + 8 + 15) / 16) * 16 - 8;
    return size < Capacity ? size : Capacity;
  }
  std::size_t BlockCapacity() const { return blockCapacity_; }

 private:
  // The block's address is kept in the first bytes of the inline storage.
  char* Block() const {
    if (blockCapacity_ == 0) return nullptr;
    char* block;
    std::memcpy(&block, inline_, sizeof block);
    return block;
  }
  char* Bytes() { return blockCapacity_ == 0 ? inline_ : Block(); }
  const char* Bytes() const { return blockCapacity_ == 0 ? inline_ : Block(); }
  std::size_t Room() const { return blockCapacity_ == 0 ? InlineCapacity : blockCapacity_; }

  // `head` then `tail` (`total` bytes, more than fit now) into a new block;
  // the old one, which either may lie in, is given back afterwards.
  void MoveToNewBlock(std::size_t total, std::string_view head, std::string_view tail) {
    std::size_t capacity = BlockCapacityFor(total);
    char* block = TakeTextBlock(capacity);
    if (!head.empty()) std::memcpy(block, head.data(), head.size());
    std::memcpy(block + head.size(), tail.data(), tail.size());
    char* old = Block();
    const std::size_t oldCapacity = blockCapacity_;
    std::memcpy(inline_, &block, sizeof block);
    blockCapacity_ = static_cast<unsigned char>(capacity);
    length_ = static_cast<unsigned char>(total);
    if (old != nullptr) GiveTextBlock(old, oldCapacity);
  }

  void ReleaseBlock() {
    if (char* block = Block()) GiveTextBlock(block, blockCapacity_);
    blockCapacity_ = 0;
    length_ = 0;
  }

  // Takes over `other`'s bytes and block; `other` is left empty.
  void TakeFrom(ShortString& other) {
    std::memcpy(inline_, other.inline_, InlineCapacity);
    blockCapacity_ = other.blockCapacity_;
    length_ = other.length_;
    other.blockCapacity_ = 0;
    other.length_ = 0;
  }

  alignas(char*) char inline_[InlineCapacity] = {};
  unsigned char blockCapacity_ = 0;  // 0 while the bytes are inline
  unsigned char length_ = 0;
};

static_assert(sizeof(ShortString) == 16);

}  // namespace zeb
