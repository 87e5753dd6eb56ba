#pragma once
// One seed of the soak: the whole program in this process on a
// pseudo-terminal, fed the seed's stream of user actions whenever it waits
// for input, with the invariants checked after every pass of the main loop.
// Each seed runs in a child process of its own, so that a crash, a
// sanitizer's report or a hang is a finding of that seed and the soak goes
// on with the next.

#include <cstdint>
#include <string>

namespace zeb::soak {

struct SeedResult {
  bool Passed = false;
  long Events = 0;     // events sent
  long Launches = 0;   // games run
  long Saves = 0;      // saves of zeb.ini checked
  long Starts = 0;     // starts of the program (the first, and one after each quit)
  std::string Report;  // when it failed: what went wrong and the last events
};

// Runs `seed` with `events` events; a run that is not over after
// `timeoutSeconds` is a finding too.
SeedResult RunSeed(uint64_t seed, long events, int timeoutSeconds);

}  // namespace zeb::soak
