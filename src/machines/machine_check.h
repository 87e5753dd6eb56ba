#pragma once
// The check of the machine information file's sections and header: a
// 64-bit hash of their bytes, taken in pieces as they are written.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zeb {

struct MachineCheck {
  uint64_t Lanes[4] = {};
  uint64_t Length = 0;
  unsigned char Tail[32] = {};  // bytes of a stripe not yet taken
  std::size_t TailSize = 0;
};
MachineCheck MachineCheckStart();
void MachineCheckAdd(MachineCheck& check, std::string_view bytes);
// The check of the bytes added so far.
uint64_t MachineCheckEnd(const MachineCheck& check);
uint64_t MachineCheckOf(std::string_view bytes);

}  // namespace zeb
