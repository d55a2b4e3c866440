#!/usr/bin/env bash
# Records the golden frame hashes again: builds the program and the tests,
# runs only the golden cases with QORN_GOLDEN_UPDATE=1 (which rewrites
# tests/data/golden/hashes.txt), then runs them once more to check.
# Look at the frames of the scenes you changed before you commit the result,
# and say in the commit message which behaviour changed and why.
# Options are passed on to the test program, for example
#   scripts/update-golden.sh --gtest_filter='Golden*scene16*'
# to record one case only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target qorn_tests
filter=(--gtest_filter='Golden*')
for a in "$@"; do case "$a" in --gtest_filter=*) filter=();; esac; done
QORN_GOLDEN_UPDATE=1 ./build/tests/qorn_tests "${filter[@]}" "$@"
./build/tests/qorn_tests "${filter[@]}" "$@" >/dev/null
git diff --stat -- tests/data/golden/hashes.txt || true
