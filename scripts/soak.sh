#!/usr/bin/env bash
# A monkey soak of the real window under a private virtual X server:
#
#   scripts/soak.sh MINUTES [--asan]
#
# One pass is a fixed pseudo-random sequence of 240 actions: every key the
# demo and its scenes take (Escape aside), pointer moves and clicks, window
# resizes and focus changes. Passes repeat until MINUTES have gone by; then
# Escape ends the demo. The program's resident memory is sampled every second
# (out/soak/rss.txt). The soak passes when the program ends with status 0,
# prints no sanitizer report, and its memory grows by less than 5 MB after the
# first pass. --asan soaks the sanitizer build (build-asan/) instead of build/.
# Sound goes to SDL's disk driver writing to /dev/null. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-}
[[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -gt 0 ] || { echo "usage: scripts/soak.sh MINUTES [--asan]"; exit 2; }
asan=0
[ "${2:-}" = "--asan" ] && asan=1

bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
if [ $asan = 1 ]; then
  tree=build-asan
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Debug -DQORN_SANITIZE=ON -DQORN_BENCH=OFF >/dev/null
  # A small quarantine, so that freed blocks kept for checking stop adding
  # to the memory after the first pass. Desktop libraries under SDL2 keep
  # memory to the end, so leaks are not checked (as in the window test).
  export ASAN_OPTIONS="quarantine_size_mb=4:detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
else
  tree=build
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$tree" -j"$jobs" --target qorn7316
program=$tree/qorn7316

out=out/soak
mkdir -p "$out"
rm -f "$out"/rss.txt "$out"/program.txt "$out"/passes.txt
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
tmp=$(mktemp -d)
xpid="" qpid="" spid=""
cleanup() {
  [ -n "$spid" ] && kill "$spid" 2>/dev/null
  [ -n "$qpid" ] && kill "$qpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xpid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "Xvfb did not start: $(cat "$tmp/xvfb.log")"; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
root=$(xwininfo -root | awk '/Window id:/{print $4}')

"$program" >"$out/program.txt" 2>&1 &
qpid=$!
wid=""
for _ in $(seq 300); do
  wid=$(xdotool search --name '^QORN7316$' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  kill -0 "$qpid" 2>/dev/null || { echo "the program ended before its window showed"; cat "$out/program.txt"; exit 1; }
  sleep 0.1
done
[ -n "$wid" ] || { echo "no window titled QORN7316"; exit 1; }

# Resident memory in kB once a second, with the pass it was taken in.
(
  while kill -0 "$qpid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/{print $2}' "/proc/$qpid/status" 2>/dev/null || true)
    [ -n "$rss" ] && echo "$(date +%s) $(cat "$tmp/pass" 2>/dev/null || echo 0) $rss" >>"$out/rss.txt"
    sleep 1
  done
) &
spid=$!

# Every key of the demo (Escape ends the soak) and of its scenes.
keys=(space p g b f w q 1 4 8 s 0 5 6 plus minus
      c z x l j i k a d u o less greater KP_Add KP_Subtract G B)
paused=0
action() {   # one action from the number $1
  local r=$1
  case $((r % 8)) in
    0|1|2)
      local k=${keys[$(((r / 8) % ${#keys[@]}))]}
      [ "$k" = p ] && paused=$((1 - paused))
      xdotool key --clearmodifiers "$k" ;;
    3|4) xdotool mousemove --window "$wid" $(((r / 8) % 300)) $(((r / 2400) % 300)) ;;
    5) xdotool mousemove --window "$wid" $(((r / 8) % 256)) $(((r / 2048) % 256)) click $((1 + (r / 64) % 3)) ;;
    6) xdotool windowsize "$wid" $((100 + (r / 8) % 700)) $((100 + (r / 5600) % 500)) ;;
    7)
      if [ $(((r / 8) % 2)) = 0 ]; then timeout 5 xdotool windowfocus --sync "$root" 2>/dev/null || true
      else timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null || true; fi ;;
  esac
}

RANDOM=7316
sequence=()
for _ in $(seq 240); do sequence+=($((RANDOM * 32768 + RANDOM))); done
end=$(($(date +%s) + minutes * 60))
pass=0
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null || true
while [ "$(date +%s)" -lt "$end" ] || [ $pass -lt 2 ]; do
  pass=$((pass + 1))
  echo $pass >"$tmp/pass"
  for r in "${sequence[@]}"; do
    kill -0 "$qpid" 2>/dev/null || break 2
    action "$r" || true
    sleep 0.0$((r % 10))
  done
  timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null || true
  echo "pass $pass done at $(date -u +%T), rss $(awk '/^VmRSS:/{print $2}' "/proc/$qpid/status" 2>/dev/null) kB" | tee -a "$out/passes.txt"
done

status=0
if kill -0 "$qpid" 2>/dev/null; then
  timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null || true
  [ $paused = 1 ] && xdotool key p
  xdotool key Escape
  for _ in $(seq 600); do kill -0 "$qpid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$qpid" 2>/dev/null; then echo "FAIL: the program did not end after Escape"; exit 1; fi
fi
wait "$qpid" || status=$?
qpid=""
wait "$spid" 2>/dev/null || true
spid=""

fail=0
echo "exit status $status after $pass passes"
[ $status = 0 ] || fail=1
if grep -qE "ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:" "$out/program.txt"; then
  echo "FAIL: sanitizer report in $out/program.txt"
  fail=1
fi
# Growth: the highest sample after pass 1 against the last sample of pass 1.
read -r base peak <<<"$(awk '$2 == 1 {base = $3} $2 > 1 && $3 > peak {peak = $3} END {print base + 0, peak + 0}' "$out/rss.txt")"
growth=$((peak - base))
echo "memory: ${base} kB at the end of pass 1, at most ${peak} kB later: growth ${growth} kB"
[ "$growth" -lt 5120 ] || { echo "FAIL: memory grew by 5 MB or more"; fail=1; }
[ $fail = 0 ] && echo "PASS" || exit 1
