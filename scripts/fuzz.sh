#!/usr/bin/env bash
# The fuzz targets of fuzz/ (one per reader of a whole game file, and two that play).
#
#   bash scripts/fuzz.sh replay              replays the seeds and every kept input in
#                                            fuzz/regressions/<target>/ through the plain
#                                            driver, built with the sanitizers
#   bash scripts/fuzz.sh run SECONDS [T...]  fuzzes each target T (all when none is named)
#                                            for SECONDS with afl-fuzz, instrumented and
#                                            with the sanitizers; a crash is copied to
#                                            fuzz/regressions/<target>/ and fails the run
#
# CI replays the kept inputs in its sanitizer test run, which builds the plain drivers
# (scripts/test.sh --sanitize); fuzzing itself is left to long runs.
#
# For `run`: FUZZ_CPUS=5,6,7 runs the targets at once, one on each core named (afl-fuzz is
# bound to it; "any" leaves the core to the system), the next target starting when one
# ends; FUZZ_EXECS=N ends a target once it has run about N inputs, before SECONDS when it
# gets there first. FUZZ_JOBS sets the jobs of the build.
#
# The program's texts need GCC's -fexec-charset, and the GCC plugin of Debian's afl++ 4.04c
# (afl-g++-fast) refuses Debian 12's GCC ("incompatible versions"): the targets are built
# by GCC with -fsanitize-coverage=trace-pc instead, their callback filling AFL's map, and
# linked with AFL++'s runtime for the fork server and persistent mode.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/compiler_cache.sh
mode=${1:-}

targets() {
  local list=(stage stage_for_play replay system_data common_palette world_map save_story save_challenge option
              key_config wave midi bitmap system_ini boot_data play front_end)
  local db
  for db in AnimeSet Anime Bmp_CharaExc SwordType Effect CharaEffect ScrEffect Picture Sound Bgm; do
    list+=("database_$db")
  done
  printf '%s\n' "${list[@]}"
}

build_targets() {  # build folder, then cmake arguments
  local dir=$1
  shift
  # Optimised as in a release, with line tables only: reports still name the file and line
  # of a crash, and the build takes far less time than with full debug information.
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVREL_WERROR=ON \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
    -DTOVREL_SANITIZE=ON -DTOVREL_FUZZ=ON -DTOVREL_BENCH=OFF "${cache_args[@]}" "$@" > /dev/null
  local names=(fuzz_seeds)
  local t
  for t in $(targets); do names+=("fuzz_$t"); done
  cmake --build "$dir" -j "${FUZZ_JOBS:-$(nproc)}" --target "${names[@]}"
}

replay() {
  build_targets build-fuzz-replay
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    ctest --test-dir build-fuzz-replay --output-on-failure -R '^fuzz_' -j "${FUZZ_JOBS:-$(nproc)}"
}

run() {
  local seconds=$1
  shift
  local chosen=("$@")
  [ ${#chosen[@]} -eq 0 ] && mapfile -t chosen < <(targets)
  build_targets build-afl -DTOVREL_FUZZ_AFL=ON
  # The targets save and sync files for every input: in memory where the system has it.
  local work shm=/dev/shm
  [ -d "$shm" ] && [ -w "$shm" ] || shm=${TMPDIR:-/tmp}
  work=$(mktemp -d -p "$shm")
  trap 'rm -rf "$work"' RETURN
  build-afl/fuzz/fuzz_seeds "$work/seeds" > /dev/null
  # CI machines cannot be tuned for afl-fuzz (CPU governor, core pattern) without root:
  # run as they are. Every target runs on one core of its own choosing, or of FUZZ_CPUS.
  export AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_UI=1
  # A smaller quarantine than the default 256 MB: with it every input touched fresh pages
  # and ran at half the speed; 16 MB still holds what dozens of inputs free (a 23 KB stage
  # frees about 0.5 MB).
  export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0:allocator_may_return_null=1:quarantine_size_mb=16
  export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
  export TOVREL_FUZZ_DIR=$work
  local failed=0 t
  if [ -z "${FUZZ_CPUS:-}" ]; then
    for t in "${chosen[@]}"; do fuzz_target "$seconds" "$t" "$work" || failed=1; done
    return "$failed"
  fi
  # One target per named core; `wait -n` frees a core as soon as its target ends.
  local free=() pid
  local -A cpu_of=()
  IFS=', ' read -r -a free <<< "$FUZZ_CPUS"
  for t in "${chosen[@]}"; do
    while [ ${#free[@]} -eq 0 ]; do
      wait -n -p pid || failed=1
      free+=("${cpu_of[$pid]}")
      unset "cpu_of[$pid]"
    done
    fuzz_target "$seconds" "$t" "$work" "${free[0]}" &
    cpu_of[$!]=${free[0]}
    free=("${free[@]:1}")
  done
  while [ ${#cpu_of[@]} -gt 0 ]; do
    wait -n -p pid || failed=1
    unset "cpu_of[$pid]"
  done
  return "$failed"
}

# Fuzzes one target: seconds, target, work folder, and the core to bind it to (or none).
fuzz_target() {
  local seconds=$1 t=$2 work=$3 cpu=${4:-}
  # The targets that play run a few hundred frames an input: more time before a hang.
  local timeout=2000
  case "$t" in play | front_end) timeout=10000 ;; esac
  local options=(-V "$seconds" -m none -t "$timeout")
  local affinity=()
  if [ "$cpu" = any ]; then
    affinity=(env AFL_NO_AFFINITY=1)
  elif [ -n "$cpu" ]; then
    options+=(-b "$cpu")
  fi
  [ -n "${FUZZ_EXECS:-}" ] && options+=(-E "$FUZZ_EXECS")
  "${affinity[@]}" afl-fuzz "${options[@]}" -i "$work/seeds/$t" -o "$work/out-$t" -- "build-afl/fuzz/fuzz_$t" \
    > "$work/afl-$t.log" 2>&1 || { echo "afl-fuzz failed for $t:"; tail -20 "$work/afl-$t.log"; return 1; }
  local stats="$work/out-$t/default/fuzzer_stats"
  local execs crashes hangs
  execs=$(awk -F' *: *' '$1=="execs_done"{print $2}' "$stats")
  crashes=$(awk -F' *: *' '$1=="saved_crashes"{print $2}' "$stats")
  hangs=$(awk -F' *: *' '$1=="saved_hangs"{print $2}' "$stats")
  echo "$t: $execs inputs, $crashes crashes, $hangs hangs"
  if [ "$crashes" != 0 ] || [ "$hangs" != 0 ]; then
    mkdir -p "fuzz/regressions/$t"
    local f
    for f in "$work/out-$t/default/crashes"/id:* "$work/out-$t/default/hangs"/id:*; do
      [ -e "$f" ] || continue
      cp "$f" "fuzz/regressions/$t/$(sha1sum "$f" | cut -c1-16)"
    done
    echo "  kept in fuzz/regressions/$t/"
    return 1
  fi
}

case "$mode" in
  replay) replay ;;
  run) shift; run "$@" ;;
  *) sed -n '2,18p' "$0"; exit 2 ;;
esac
