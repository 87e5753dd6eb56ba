#pragma once
// A hash of names for the audit's tables (FNV-1a): the standard one costs
// several times as much on short names, and the audit looks names up a few
// hundred thousand times. Transparent, so that a table keyed by strings is
// searched with a string_view.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zeb {

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    uint64_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
  }
};

struct SameName {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a == b; }
};

}  // namespace zeb
