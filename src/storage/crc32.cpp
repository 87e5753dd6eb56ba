#include "storage/crc32.h"

#include <array>

namespace zeb {

namespace {

// The remainder of each byte value, eight bits at a time.
constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> Table = MakeTable();

}  // namespace

const std::array<uint32_t, 256>& Crc32Table() { return Table; }

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
  crc = ~crc;
  for (char byte : bytes) crc = Table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace zeb
