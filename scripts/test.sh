#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build and one with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short pass of the
# fuzz targets (scripts/fuzz.sh --ci).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQORN_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQORN_SANITIZE=ON -DQORN_BENCH=OFF -DQORN_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"
# The fuzz targets once over their seeds, then a few seconds each (clang build).
bash scripts/fuzz.sh --ci
