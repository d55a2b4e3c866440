#!/usr/bin/env bash
# The window's sound path under stalls and device loss, through SDL's disk
# audio driver, which writes exactly what the device was given. With frame
# stalls of 50-200 ms and a pause, the written sound is the one-second loop
# unbroken: once key 0 has stopped new loops, every value equals the one a
# second later. A device lost mid-run is replaced and the loop goes on where
# it was; when no device opens, one line says so and the run ends normally.
# Usage: sound_test.sh PROGRAM
set -u
program=$1
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"   # as in window_test.sh
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export SDL_AUDIODRIVER=disk
tmp=$(mktemp -d)
cleanup() {
  xserver_stop
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -s "$tmp/err" ] && sed 's/^/  program: /' "$tmp/err"
  exit 1
}

source "$(dirname "$0")/xserver.sh"
xserver_start 1024x768x24

# Runs the program on scene 3 for $1 frames with frame stalls; the sound
# goes to $tmp/sound.raw. Two seconds in, key 0 stops new loops (the one
# playing goes on), then the demo pauses for a second. $tmp/from holds the
# first value sure to be written after the last loop started: the device
# writes no faster than 44.1 values a millisecond since the launch, and the
# key takes effect within a frame (at most 200 ms here) plus the fade.
run() {
  local frames=$1
  local launch
  launch=$(date +%s%N)
  SDL_DISKAUDIOFILE="$tmp/sound.raw" QORN_TEST_STALL=50-200 \
    "$program" --scene 3 --frames "$frames" >/dev/null 2>"$tmp/err" &
  local pid=$!
  local wid=""
  for _ in $(seq 150); do
    wid=$(xdotool search --name '^QORN7316$' 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -n "$wid" ]; then
    sleep 2
    timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key 0
    echo $(( ($(date +%s%N) - launch) / 1000000 * 441 / 10 + 300 * 441 / 10 + 256 )) >"$tmp/from"
    sleep 1; xdotool key p; sleep 1; xdotool key p
  fi
  local status=124
  for _ in $(seq 600); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; status=$?; break; fi
    sleep 0.1
  done
  [ $status = 124 ] && kill "$pid" 2>/dev/null
  return $status
}

# The loop check over the 16-bit values of the given files, one after the
# other, from the value in $tmp/from on.
unbroken() {
  cat "$@" | od -An -v -td2 -w2 | awk -v P=44100 -v f="$(cat "$tmp/from")" '
    { x[n++] = $1 + 0 }
    END {
      if (n - f < 3 * P) { printf "only %.2f s of sound after key 0\n", (n - f) / P; exit 1 }
      loud = 0
      for (i = f; i < n; i++) if (x[i] != 0) { loud = 1; break }
      if (!loud) { print "the sound is silent"; exit 1 }
      for (i = f; i + P < n; i++)
        if (x[i] != x[i + P]) { printf "the loop breaks at %.4f s (value %d, a second later %d)\n", i / P, x[i], x[i + P]; exit 1 }
      printf "%.2f s of unbroken loop\n", (n - f) / P
    }'
}

run 80 || fail "stalls: exit status $?"
grep -q "lost" "$tmp/err" && fail "stalls: the device was reported lost"
result=$(unbroken "$tmp/sound.raw") || fail "stalls: $result"
echo "stalls of 50-200 ms and a pause: $result"

rm -f "$tmp"/sound.raw*
QORN_TEST_SOUND_LOSS=40 run 80 || fail "device loss: exit status $?"
[ -s "$tmp/sound.raw.reopened" ] || fail "device loss: no device was opened again"
grep -q "lost" "$tmp/err" && fail "device loss: reported although a device opened again"
result=$(unbroken "$tmp/sound.raw" "$tmp/sound.raw.reopened") || fail "device loss: $result"
echo "device lost and reopened: $result"

rm -f "$tmp"/sound.raw*
QORN_TEST_SOUND_LOSS=15:fail run 30 || fail "no device: exit status $?"
lines=$(grep -c "qorn7316: the sound device was lost" "$tmp/err")
[ "$lines" = 1 ] || fail "no device: $lines lines about the lost device, want 1"
echo "device lost, none to open: one line, status 0"
echo "PASS"
