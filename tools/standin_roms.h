#pragma once
// The contents of the stand-in emulator's ROM files, by one rule, so that
// tests can build ROM sets (zip archives) whose files match its XML list:
//
//   the bytes of a ROM file are its content name repeated and cut to its
//   size, where the content name is the ROM's merge name when it has one
//   (the name of the same file in the set it is merged from) and its own
//   name otherwise.
//
// So "astrobee.g1" of size 1024 is "astrobee.g1astrobee.g1..." (1024
// bytes), and the clone's "astrobej.g1" with merge="astrobee.g1" holds the
// same bytes. The CRC-32 the list gives is that of these bytes (zeb::Crc32
// of storage/crc32.h), for every ROM but a nodump, which has none.
//
// The one disk: tundrtrk's "tundrtrk" (tundrtrk.chd), whose SHA-1 in the
// list is TundraDiskSha1, the SHA-1 of the 8 bytes "tundrtrk".

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

inline std::string RomBytes(std::string_view contentName, uint32_t size) {
  std::string bytes;
  bytes.reserve(size);
  while (!contentName.empty() && bytes.size() < size) {
    bytes.append(contentName.substr(0, size - bytes.size()));
  }
  return bytes;
}

inline constexpr const char* TundraDiskSha1 = "978b0728287e9bad50aa94447f259825ab43c99d";

}  // namespace standin
