#!/usr/bin/env bash
# The real window, end to end, under a virtual X server: its title, size and
# place, the snap back after a resize, a picture in it, keys, and the two
# ways to end it (Escape, closing the window), both with status 0.
# Usage: window_test.sh PROGRAM WM_CLOSE
set -u
program=$1
wm_close=$2
export SDL_AUDIODRIVER=dummy
# In a sanitizer build, leaks are not checked here: the desktop libraries
# under SDL2 keep memory to the end, and what they hold from libraries already
# unloaded at exit is reported without a module to suppress it by (which
# mapping it is shown next to changes with the audio thread and the driver).
# The headless program tests check the program's own memory.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
tmp=$(mktemp -d)
qpid=""
cleanup() {
  [ -n "$qpid" ] && kill "$qpid" 2>/dev/null
  xserver_stop
  rm -rf "$tmp"
}
trap cleanup EXIT

source "$(dirname "$0")/xserver.sh"
xserver_start 1024x768x24

expect_geometry() {   # centred 256 x 256 client area on the 1024 x 768 screen
  for _ in $(seq 50); do [ "$(geometry)" = "384 256 256 256" ] && return 0; sleep 0.1; done
  fail "$1: window at $(geometry), want 384 256 256 256"
}
wait_exit() {   # the program's exit status, or 124 after $1 seconds
  for _ in $(seq $(($1 * 10))); do
    if ! kill -0 "$qpid" 2>/dev/null; then
      wait "$qpid"
      local status=$?
      qpid=""
      return $status
    fi
    sleep 0.1
  done
  return 124
}

# Run 1: title, size, place, resize, picture, Escape.
start
[ "$(xdotool getwindowname "$wid")" = "QORN7316" ] || fail "title is '$(xdotool getwindowname "$wid")'"
expect_geometry "at start"
xdotool windowsize "$wid" 500 400
expect_geometry "after a resize to 500 x 400"
xdotool windowmove "$wid" 10 20
xdotool windowsize "$wid" 300 200
expect_geometry "after a move and a resize"
lit=""
for _ in $(seq 50); do
  import -window "$wid" "$tmp/shot.png" 2>/dev/null &&
    lit=$(convert "$tmp/shot.png" -format '%w %h %[fx:maxima>0]' info: 2>/dev/null)
  [ "$lit" = "256 256 1" ] && break
  sleep 0.1
done
[ "$lit" = "256 256 1" ] || fail "screenshot of the window is empty ($lit)"
# The window icon: the first frame, 256 x 256, set through SDL (_NET_WM_ICON
# holds the width and the height first).
icon=$(xprop -id "$wid" -notype 32c _NET_WM_ICON 2>/dev/null | head -c 200)
case "$icon" in *"= 256, 256, "*) ;; *) fail "window icon: ${icon:-none}";; esac
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key Escape
wait_exit 10
status=$?
[ "$status" = 0 ] || fail "Escape: exit status $status, want 0"

# Run 2: a key reaches the demo (space skips the first scene), then the window is closed.
start --trace
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null
sleep 0.5
xdotool key space
for _ in $(seq 50); do grep -q 'scene BLENDED RECTANGLES' "$tmp/out" && break; sleep 0.1; done
grep -q 'scene BLENDED RECTANGLES' "$tmp/out" || fail "space did not skip the first scene"
"$wm_close" "$wid" || fail "could not ask the window to close"
wait_exit 10
status=$?
[ "$status" = 0 ] || fail "close: exit status $status, want 0"
echo "window end to end: all checks passed"
