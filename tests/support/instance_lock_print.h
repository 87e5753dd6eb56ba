#pragma once
// How a test failure shows what taking a directory's mark gave.

#include <ostream>

#include "app/instance_lock.h"

namespace zeb {

inline void PrintTo(InstanceLockResult result, std::ostream* out) {
  *out << (result == InstanceLockResult::Taken ? "Taken" : result == InstanceLockResult::Held ? "Held" : "Unusable");
}

}  // namespace zeb
