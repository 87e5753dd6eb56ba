#pragma once
// A table of N records indexed from 1. An index outside 1..N is a
// programming error and stops the program with a message.
//
// Every record exists, empty, from the start; but the memory of a record is
// taken only when it is first used, a block of records at a time, so a table
// costs what it holds rather than its capacity. Blocks never move: a
// reference to a record stays valid until the table is cleared.

#include <cstddef>

#include "storage/fatal.h"

namespace zeb {

template <typename Record, int N>
class FixedTable {
 public:
  static constexpr int Size = N;

  constexpr FixedTable() = default;
  FixedTable(const FixedTable&) = delete;
  FixedTable& operator=(const FixedTable&) = delete;
  ~FixedTable() { Clear(); }

  Record& operator[](int index) {
    Check(index);
    auto i = static_cast<std::size_t>(index - 1);
    Record*& block = blocks_[i / BlockRecords];
    if (block == nullptr) block = NewBlock(i / BlockRecords);
    if (index > used_) used_ = index;
    return block[i % BlockRecords];
  }
  const Record& operator[](int index) const {
    Check(index);
    auto i = static_cast<std::size_t>(index - 1);
    const Record* block = blocks_[i / BlockRecords];
    if (block == nullptr) return EmptyRecord();
    return block[i % BlockRecords];
  }

  // Every record above this number is empty: none above it has been handed
  // out for change since the table was last cleared (0 when none has).
  int Used() const { return used_; }

  // Every record empty again, at the cost of the records used.
  void Clear() {
    for (Record*& block : blocks_) {
      delete[] block;
      block = nullptr;
    }
    used_ = 0;
  }

 private:
  static constexpr std::size_t BlockRecords = 1024;
  static constexpr std::size_t BlockCount = (static_cast<std::size_t>(N) + BlockRecords - 1) / BlockRecords;

  static void Check(int index) {
    if (index < 1 || index > N) FatalTableIndex(index, N);
  }
  static Record* NewBlock(std::size_t block) {
    std::size_t first = block * BlockRecords;
    std::size_t count = static_cast<std::size_t>(N) - first < BlockRecords ? static_cast<std::size_t>(N) - first
                                                                           : BlockRecords;
    return new Record[count]();
  }
  static const Record& EmptyRecord() {
    static const Record empty{};
    return empty;
  }

  Record* blocks_[BlockCount] = {};
  int used_ = 0;
};

}  // namespace zeb
