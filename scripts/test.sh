#!/usr/bin/env bash
# Installs what the project needs, builds the player, its tests and benchmarks in Release,
# runs every test, then the player itself on the demo game for 120 frames. With --sanitize
# the same runs built with AddressSanitizer and UndefinedBehaviorSanitizer, in a build
# folder of its own. With --tsan only the tests whose code runs threads (tests/threads/ and
# the sound tests, tests/sound/), built with ThreadSanitizer in build-tsan, and run. Every
# build goes through the compiler cache when there is one (scripts/compiler_cache.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/compiler_cache.sh

# The plain run builds Release, the build the benchmarks are measured in.
dir=build
type=Release
flags=()
jobs=$(nproc)
# The libraries compile in unity batches: a cold build (an empty compiler cache) takes far
# less time, and the names each source keeps to itself are checked to be unique.
unity=-DTOVREL_UNITY=ON
# The sanitizer builds optimise lightly and keep line tables only: reports still name the
# file and line, and the builds take far less time than with full debug information.
sanitizer_flags="-O1 -g1 -DNDEBUG"
if [ "${1:-}" = "--tsan" ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVREL_WERROR=ON -DTOVREL_BENCH=OFF "$unity" \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$sanitizer_flags" \
    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread "${cache_args[@]}"
  cmake --build build-tsan -j "$jobs" --target tests_threads tests_sound
  # Only these two programs are built here: the other programs' tests are left out.
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(pwd)/scripts/tsan_suppressions.txt" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -E '_NOT_BUILT$'
  exit 0
fi
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  type=RelWithDebInfo
  # The fuzz targets' plain drivers join this build, so their kept inputs replay here.
  # Each test program runs as a few processes rather than a process per test: starting an
  # instrumented process costs more than most of its tests take.
  flags=(-DTOVREL_SANITIZE=ON -DTOVREL_FUZZ=ON -DTOVREL_TEST_SHARDS=8 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$sanitizer_flags")
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DTOVREL_WERROR=ON "$unity" "${flags[@]}" "${cache_args[@]}"
cmake --build "$dir" -j "$jobs"
ctest --test-dir "$dir" --output-on-failure -j "$jobs"

# The player on the demo game without a person: 120 frames under SDL's dummy drivers, after
# which it closes itself through its normal close sequence and must exit with 0. Its
# instance lock stays in the game's folder, away from a player someone may be running.
rm -rf "$dir/demo_game"
"$dir/tovrel_demo_game" "$dir/demo_game"
(cd "$dir/demo_game" && XDG_RUNTIME_DIR="$PWD" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TOVREL_FRAMES=120 \
  timeout 300 ../tovrel_player)
echo "player: 120 frames on the demo game, exit code 0"
