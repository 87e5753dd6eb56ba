#pragma once
// Game numbers by driver name, for the imports that look games up by the
// names their files give. A lookup finds every game whose DriverName equals
// the name exactly, in table order, as a scan of games 1 to GameCount would.
// The index is built from the table as it stands; it is valid until a
// DriverName or GameCount changes.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zeb {

class DriverIndex {
 public:
  void Build();
  std::span<const int32_t> GamesNamed(std::string_view name) const;

 private:
  std::vector<int32_t> order_;  // game numbers sorted by name, equal names in table order
};

}  // namespace zeb
