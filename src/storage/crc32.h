#pragma once
// CRC-32 as zip archives record it (the polynomial 0xEDB88320, reflected,
// starting from all ones and ending inverted): what a ROM file's contents
// are known by.

#include <array>
#include <cstdint>
#include <string_view>

namespace zeb {

// The CRC-32 of the bytes, continued from `crc` (the CRC-32 of the bytes
// before them, 0 for none).
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

// The remainder of each byte value, eight bits at a time: what a byte adds
// to the CRC (a file made to a given CRC-32 is made with it).
const std::array<uint32_t, 256>& Crc32Table();

}  // namespace zeb
