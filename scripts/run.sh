#!/usr/bin/env bash
# Builds the demo and runs it: in a window where there is a display,
# otherwise a short headless run rendered into a folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target qorn7316
exec ./build/qorn7316 --help
