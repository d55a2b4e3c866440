#!/usr/bin/env bash
# Builds the demo and runs it: in a window where there is a display,
# otherwise a short headless run rendered into a folder.
# Options are passed on to the program (see ./build/qorn7316 --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target qorn7316
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/qorn7316 "$@"
fi
out=out/run
rm -rf "$out"
mkdir -p "$out"
echo "No display found: rendering the first 10 seconds (500 frames) without a window into $out/"
./build/qorn7316 --headless --frames 500 --dump-frames="$out" "$@"
echo "Done: $out/frame-00001.ppm to $out/frame-00500.ppm (P6 pictures, 50 per second)"
