#pragma once
// Text of at most 255 single-byte characters, held inline. Assigning or
// appending past 255 characters keeps the first 255; comparisons are exact,
// whole-string and case-sensitive.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zeb {

class ShortString {
 public:
  static constexpr std::size_t Capacity = 255;

  constexpr ShortString() = default;
  ShortString(std::string_view text) { Assign(text); }  // NOLINT: implicit by design
  ShortString(const char* text) { Assign(std::string_view(text)); }  // NOLINT
  ShortString(const std::string& text) { Assign(text); }              // NOLINT

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

  void Assign(std::string_view text) {
    std::size_t n = text.size() < Capacity ? text.size() : Capacity;
    // The source may be a part of ourselves, never before our first byte:
    // a forward copy is right for it.
    const char* from = text.data();
    for (std::size_t i = 0; i < n; ++i) bytes_[i] = from[i];
    length_ = static_cast<unsigned char>(n);
  }

  ShortString& Append(std::string_view text) {
    std::size_t room = Capacity - length_;
    std::size_t n = text.size() < room ? text.size() : room;
    if (n > 0) std::memmove(bytes_ + length_, text.data(), n);
    length_ = static_cast<unsigned char>(length_ + n);
    return *this;
  }
  ShortString& Append(char c) { return Append(std::string_view(&c, 1)); }
  ShortString& operator+=(std::string_view text) { return Append(text); }
  ShortString& operator+=(char c) { return Append(c); }

  void Clear() { length_ = 0; }
  std::size_t Length() const { return length_; }
  bool Empty() const { return length_ == 0; }
  const char* Data() const { return bytes_; }
  char operator[](std::size_t i) const { return bytes_[i]; }
  char& operator[](std::size_t i) { return bytes_[i]; }

  std::string_view View() const { return std::string_view(bytes_, length_); }
  operator std::string_view() const { return View(); }  // NOLINT: implicit by design
  std::string Str() const { return std::string(View()); }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.View() == b.View(); }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.View() == b; }
  friend bool operator==(const ShortString& a, const char* b) { return a.View() == std::string_view(b); }

 private:
  unsigned char length_ = 0;
  char bytes_[Capacity] = {};
};

}  // namespace zeb
