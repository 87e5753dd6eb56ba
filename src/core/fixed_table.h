#pragma once
// A table of N records indexed from 1, allocated once at full size. An index
// outside 1..N is a programming error and stops the program with a message.

#include <cstddef>

#include "core/fatal.h"

namespace zeb {

template <typename Record, int N>
class FixedTable {
 public:
  static constexpr int Size = N;

  Record& operator[](int index) {
    Check(index);
    return records_[index - 1];
  }
  const Record& operator[](int index) const {
    Check(index);
    return records_[index - 1];
  }
  void Fill(const Record& value) {
    for (auto& r : records_) r = value;
  }

 private:
  static void Check(int index) {
    if (index < 1 || index > N) FatalTableIndex(index, N);
  }
  Record records_[N] = {};
};

}  // namespace zeb
