#!/usr/bin/env bash
# Shows a test scene of the drawing layer in a real window under Xvfb and saves a
# screenshot per mode: frame_<mode>.png in the current folder. Needs a build (build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tests="$root/build/tests/tests_media"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
for mode in D3D32Window DD8Full; do
  (sleep 2.5; DISPLAY=$display import -window root "frame_$mode.png") &
  DISPLAY=$display TOVREL_REAL_WINDOW=1 TOVREL_REAL_WINDOW_MS=4000 \
    "$tests" --gtest_filter="Modes/RealWindowTest.ShowsAScene/$mode"
  wait
done
