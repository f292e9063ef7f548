#!/usr/bin/env bash
# Installs what the project needs, builds the player, its tests and benchmarks in Release,
# and runs every test. With --sanitize the same runs built with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# The plain run builds Release, the build the benchmarks are measured in.
dir=build
type=Release
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  type=RelWithDebInfo
  flags=(-DTOVREL_SANITIZE=ON)
fi
jobs=$(nproc)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DTOVREL_WERROR=ON "${flags[@]}"
cmake --build "$dir" -j "$jobs"
ctest --test-dir "$dir" --output-on-failure -j "$jobs"
