#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (a separate build in
# build-fuzz/, the normal builds are untouched) and runs them.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   each target (default: all) for
#       SECONDS (default 60), growing out/fuzz/corpus/TARGET from the
#       committed seeds in fuzz/corpus/TARGET
#       (FUZZ_RUNS=N also ends each run after N executions)
#   scripts/fuzz.sh --ci                    each target once over its seeds and
#       the bad inputs of the tests, then 3 seconds from a fixed seed (CI)
#
# Memory is limited (-rss_limit_mb=256 -malloc_limit_mb=64) so that a reader
# allocating beyond its input is a finding like a crash, a leak or a timeout.
# Findings are written to out/fuzz/artifacts/; each one belongs, once fixed,
# in tests/data/bad/TARGET/, whose files the normal test suite reads.
set -euo pipefail
cd "$(dirname "$0")/.."

ci=0
seconds=60
if [ "${1:-}" = "--ci" ]; then ci=1; shift; fi
if [ $ci = 0 ] && [[ "${1:-}" =~ ^[0-9]+$ ]]; then seconds=$1; shift; fi

bash scripts/setup.sh fuzz

jobs=$(nproc 2>/dev/null || echo 2)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++-14 cmake -S . -B build-fuzz -DQORN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$jobs" --target qorn_fuzz

targets=("$@")
if [ ${#targets[@]} = 0 ]; then
  for f in fuzz/fuzz_*.cpp; do n=$(basename "$f" .cpp); targets+=("${n#fuzz_}"); done
fi

dictionary() {
  case "$1" in
    img_pnm|img_load|bytemap_pnm|bytemap_load) echo fuzz/dict/pnm.dict ;;
    sam_load) echo fuzz/dict/sam.dict ;;
    *) [ -f "fuzz/dict/$1.dict" ] && echo "fuzz/dict/$1.dict" ;;
  esac
}

# Scratch files of the file loaders go to memory where there is some.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:detect_leaks=1:allocator_may_return_null=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
limits=(-rss_limit_mb=256 -malloc_limit_mb=64 -timeout=10)
artifacts=out/fuzz/artifacts
mkdir -p "$artifacts"
failed=()
for t in "${targets[@]}"; do
  bin=build-fuzz/fuzz/fuzz_$t
  [ -x "$bin" ] || { echo "no fuzz target '$t'"; exit 2; }
  dict=$(dictionary "$t" || true)
  options=("${limits[@]}" -artifact_prefix="$artifacts/$t-" -print_final_stats=0)
  [ -n "$dict" ] && options+=(-dict="$dict")
  seeds=(fuzz/corpus/"$t")
  [ -d "tests/data/bad/$t" ] && seeds+=("tests/data/bad/$t")
  log=out/fuzz/$t.log
  if [ $ci = 1 ]; then
    work=$(mktemp -d)
    ok=1
    "$bin" "${options[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1 || ok=0
    [ $ok = 1 ] && { "$bin" "${options[@]}" -seed=1 -max_total_time=3 "$work" "${seeds[@]}" >>"$log" 2>&1 || ok=0; }
    rm -rf "$work"
  else
    corpus=out/fuzz/corpus/$t
    mkdir -p "$corpus"
    ok=1
    runs=()
    [ -n "${FUZZ_RUNS:-}" ] && runs=(-runs="$FUZZ_RUNS")
    "$bin" "${options[@]}" -max_total_time="$seconds" "${runs[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1 || ok=0
  fi
  summary=$(grep -E '^#[0-9]+.*cov:' "$log" | tail -1 | sed -E 's/ +/ /g' || true)
  runs=$(grep -E '^Done [0-9]+ runs' "$log" | tail -1 || true)
  [ -n "$runs" ] && summary="$summary ($runs)"
  if [ $ok = 1 ]; then
    echo "fuzz $t: ok ${summary}"
  else
    echo "fuzz $t: FAILED (log $log)"
    grep -E 'ERROR|SUMMARY|fuzz check failed|Test unit written' "$log" | head -5 || true
    failed+=("$t")
  fi
done
if [ ${#failed[@]} != 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}. Reproduce with build-fuzz/fuzz/fuzz_TARGET FILE;"
  echo "once fixed, add the file to tests/data/bad/TARGET/."
  exit 1
fi
