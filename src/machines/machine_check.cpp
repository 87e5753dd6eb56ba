// The check of the machine information file's sections: a 64-bit hash of
// four lanes that each take eight bytes at a time with a multiply and a
// rotation, the bytes read in little-endian order on every system. Fast
// enough that the start-up's check of the summaries costs a fraction of a
// millisecond; it catches damage, and is no defence against a forger.

#include "machines/machine_check.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zeb {

namespace {

constexpr uint64_t Prime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t Prime2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t Prime3 = 0x165667B19E3779F9ull;
constexpr uint64_t Prime4 = 0x85EBCA77C2B2AE63ull;

uint64_t Word(const unsigned char* bytes) {
  uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, bytes, sizeof word);
  } else {
    for (int i = 7; i >= 0; --i) word = (word << 8) | bytes[i];
  }
  return word;
}

uint64_t Round(uint64_t lane, uint64_t word) { return std::rotl(lane + word * Prime2, 31) * Prime1; }

void Stripe(MachineCheck& check, const unsigned char* bytes) {
  for (int lane = 0; lane < 4; ++lane) check.Lanes[lane] = Round(check.Lanes[lane], Word(bytes + 8 * lane));
}

}  // namespace

MachineCheck MachineCheckStart() {
  MachineCheck check;
  check.Lanes[0] = Prime1 + Prime2;
  check.Lanes[1] = Prime2;
  check.Lanes[2] = 0;
  check.Lanes[3] = 0 - Prime1;
  return check;
}

void MachineCheckAdd(MachineCheck& check, std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t size = text.size();
  check.Length += size;
  if (check.TailSize > 0) {
    std::size_t take = std::min(size, sizeof check.Tail - check.TailSize);
    std::memcpy(check.Tail + check.TailSize, bytes, take);
    check.TailSize += take;
    bytes += take;
    size -= take;
    if (check.TailSize < sizeof check.Tail) return;
    Stripe(check, check.Tail);
    check.TailSize = 0;
  }
  for (; size >= 32; bytes += 32, size -= 32) Stripe(check, bytes);
  if (size > 0) std::memcpy(check.Tail, bytes, size);
  check.TailSize = size;
}

uint64_t MachineCheckEnd(const MachineCheck& check) {
  uint64_t hash = std::rotl(check.Lanes[0], 1) + std::rotl(check.Lanes[1], 7) + std::rotl(check.Lanes[2], 12) +
                  std::rotl(check.Lanes[3], 18);
  for (uint64_t lane : check.Lanes) hash = (hash ^ Round(0, lane)) * Prime1 + Prime4;
  hash += check.Length;
  std::size_t at = 0;
  for (; at + 8 <= check.TailSize; at += 8) hash = std::rotl(hash ^ Round(0, Word(check.Tail + at)), 27) * Prime1 + Prime4;
  for (; at < check.TailSize; ++at) hash = std::rotl(hash ^ (check.Tail[at] * Prime3), 11) * Prime1;
  hash ^= hash >> 33;
  hash *= Prime2;
  hash ^= hash >> 29;
  hash *= Prime3;
  hash ^= hash >> 32;
  return hash;
}

uint64_t MachineCheckOf(std::string_view bytes) {
  MachineCheck check = MachineCheckStart();
  MachineCheckAdd(check, bytes);
  return MachineCheckEnd(check);
}

}  // namespace zeb
