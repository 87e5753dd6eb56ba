// The soak of the whole program: seeded streams of user actions on every
// screen, the invariants checked after every pass of the main loop.
//
// `make test` runs a few seeds and every kept seed. `make soak` sets
// ZEB_SOAK_SECONDS and runs new seeds until the time is up. ZEB_SOAK_SEED
// (and ZEB_SOAK_EVENTS) run one seed again.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "soak/soak_run.h"

namespace zeb::soak {
namespace {

constexpr long EventsPerSeed = 3000;
constexpr int SecondsPerSeed = 600;

// Seeds that once found a fault, with the events they take to reach it and
// a few more: run every time. A seed's run follows from the whole soak (its
// events, the directory it sets up, the hand edits of zeb.ini): after a
// change there, check that each seed still reaches its fault with the fix
// taken out, or keep another seed that does.
struct KeptSeed {
  uint64_t Seed;
  long Events;
};
constexpr KeptSeed KeptSeeds[] = {
    {21, 400},  // Enter in the viewer ran the game, then the games list came back under the viewer's panel
    {9, 650},   // the close mark answered no on the viewer put the picture over the file on display
};

long EnvironmentNumber(const char* name, long otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::atol(text) : otherwise;
}

void ExpectPasses(uint64_t seed, long events) {
  SeedResult result = RunSeed(seed, events, SecondsPerSeed);
  if (!result.Passed) {
    ADD_FAILURE() << "seed " << seed << " after " << result.Events << " events:\n" << result.Report;
  } else {
    EXPECT_EQ(result.Events, events) << "seed " << seed;
  }
}

TEST(Soak, NewSeeds) {
  if (const long seed = EnvironmentNumber("ZEB_SOAK_SEED", -1); seed >= 0) {
    ExpectPasses(static_cast<uint64_t>(seed), EnvironmentNumber("ZEB_SOAK_EVENTS", EventsPerSeed));
    return;
  }
  const long seconds = EnvironmentNumber("ZEB_SOAK_SECONDS", 0);
  if (seconds <= 0) {
    for (uint64_t seed : {7, 15}) ExpectPasses(seed, 600);
    return;
  }
  // Until the time is up, seeds from the clock, each with its events.
  const auto start = std::chrono::steady_clock::now();
  const auto end = start + std::chrono::seconds(seconds);
  uint64_t seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) % 1000000000;
  long seeds = 0;
  SeedResult total;
  std::string findings;
  while (std::chrono::steady_clock::now() < end) {
    SeedResult result = RunSeed(seed, EventsPerSeed, SecondsPerSeed);
    ++seeds;
    total.Events += result.Events;
    total.Launches += result.Launches;
    total.Saves += result.Saves;
    total.Starts += result.Starts;
    if (!result.Passed) {
      findings += "seed " + std::to_string(seed) + " after " + std::to_string(result.Events) + " events:\n" +
                  result.Report + "\n";
      std::printf("finding: seed %llu\n", static_cast<unsigned long long>(seed));
      std::fflush(stdout);
    }
    ++seed;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  std::printf("soak: %ld seeds run, %ld events sent (%ld games run, %ld saves checked, %ld starts), %s in %lld s\n",
              seeds, total.Events, total.Launches, total.Saves, total.Starts,
              findings.empty() ? "no findings" : "findings below", static_cast<long long>(elapsed.count()));
  if (!findings.empty()) ADD_FAILURE() << findings;
}

TEST(Soak, KeptSeeds) {
  for (const KeptSeed& kept : KeptSeeds) ExpectPasses(kept.Seed, kept.Events);
}

}  // namespace
}  // namespace zeb::soak
