#!/usr/bin/env bash
# The configuration packagers build: optimised, with the tests. It must
# compile without a warning (warnings are errors) as the debug build does,
# and its unit tests must pass with the optimiser's code.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/relwithdebinfo
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
for suite in storage console settings gamedb emulator ui; do
  "$build/${suite}_tests" --gtest_brief=1
done
