#!/usr/bin/env bash
# The scaled and the fullscreen window under a virtual X server: the window
# at --scale 3, its snap back to that size, the pointer mapped back to frame
# pixels (seen in --trace), the F12 screenshot, a recording of the window;
# then, under a window manager
# (openbox, where installed), --fullscreen with the frame at the largest
# whole scale, black bars, the pointer mapping there, and F11 / Alt+Enter.
# Usage: scale_test.sh PROGRAM
set -u
program=$1
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"   # see window_test.sh
unset WAYLAND_DISPLAY SDL_VIDEODRIVER XDG_PICTURES_DIR
tmp=$(mktemp -d)
wmpid=""
qpid=""
cleanup() {
  [ -n "$qpid" ] && kill "$qpid" 2>/dev/null
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
  xserver_stop
  rm -rf "$tmp"
}
trap cleanup EXIT

source "$(dirname "$0")/xserver.sh"
xserver_start 1280x1024x24

stop() {
  kill "$qpid" 2>/dev/null
  wait "$qpid" 2>/dev/null
  qpid=""
}
expect_geometry() {   # $1: what, $2: "X Y W H", or "W H" for the size only
  local got=""
  for _ in $(seq 50); do
    got=$(geometry)
    [ "$got" = "$2" ] && return 0
    [ "${got#* * }" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$1: window at $got, want $2"
}
scene_started() {
  for _ in $(seq 200); do grep -q 'scene FLOWERS GAME' "$tmp/out" && return 0; sleep 0.1; done
  fail "the flowers game did not start"
}
# Presses the left button at screen (X, Y) and expects the trace to report
# the pointer at frame pixel FX,FY.
expect_pointer() {   # X Y FX FY
  local seen found=0
  seen=$(wc -l <"$tmp/out")
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  for _ in $(seq 30); do
    found=$(tail -n +$((seen + 1)) "$tmp/out" | grep -c "pointer $3,$4 buttons 1")
    [ "$found" -gt 0 ] && break
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.3
  [ "$found" -gt 0 ] || fail "a press at $1,$2 should reach the frame at $3,$4"
}

# Run 1, no window manager: --scale 3 is a 768 x 768 client area centred on
# the 1280 x 1024 screen, and stays that after a resize.
start --scale 3 --trace --scene "FLOWERS GAME" --capture-dir "$tmp/shots" --screenshot-scale 2 --record "$tmp/w.mkv"
expect_geometry "at start" "256 128 768 768"
scene_started   # the start-up pictures pump no window events
xdotool windowsize "$wid" 500 400
expect_geometry "after a resize to 500 x 400" "256 128 768 768"
# Every frame pixel is 3 x 3 screen pixels: (256 + 300..302, 128 + 180..182)
# is pixel (100, 60); the last column is 255; left of the frame is outside.
expect_pointer $((256 + 301)) $((128 + 181)) 100 60
expect_pointer $((256 + 302)) $((128 + 180)) 100 60
expect_pointer $((256 + 767)) $((128 + 2)) 255 0
expect_pointer $((256 - 1)) $((128 + 767)) -1 255
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key F12
shot=""
for _ in $(seq 50); do
  shot=$(grep -m1 "^$tmp/shots/qorn7316-[0-9]\{8\}-[0-9]\{6\}-[0-9]\{3\}\.png$" "$tmp/out")
  [ -n "$shot" ] && break
  sleep 0.1
done
[ -n "$shot" ] || fail "F12 printed no screenshot path"
size=$(identify -format '%w %h' "$shot" 2>/dev/null)
[ "$size" = "512 512" ] || fail "the screenshot is $size, want 512 512 (--screenshot-scale 2)"
# Escape ends the run with status 0 and a finished recording at the window's
# scale, placed by the clock in 50ths of a second (a frame shown longer
# stands on), with 882 sound values to every 50th.
xdotool key Escape
status=124
for _ in $(seq 100); do
  if ! kill -0 "$qpid" 2>/dev/null; then wait "$qpid"; status=$?; qpid=""; break; fi
  sleep 0.1
done
[ "$status" = 0 ] || fail "Escape with --record: exit status $status, want 0"
if command -v ffprobe >/dev/null; then
  video=$(ffprobe -v error -select_streams v -count_frames -show_entries stream=width,height,r_frame_rate,nb_read_frames \
    -of default=noprint_wrappers=1 "$tmp/w.mkv" | tr '\n' ' ')
  n=$(echo "$video" | sed -n 's/.*nb_read_frames=\([0-9]*\).*/\1/p')
  [ "${video% nb_read_frames=*}" = "width=768 height=768 r_frame_rate=50/1" ] && [ "${n:-0}" -ge 50 ] ||
    fail "the window's recording: $video"
  last=$(ffprobe -v error -select_streams v -show_entries frame=pts_time -of csv=p=0 "$tmp/w.mkv" | tail -n 1)
  slots=$(awk -v t="$last" 'BEGIN { printf "%d", t * 50 + 1.5 }')
  ffmpeg -v error -i "$tmp/w.mkv" -f s16le -ac 1 "$tmp/w.raw" || fail "the window's recording does not decode"
  [ "$(stat -c %s "$tmp/w.raw")" = $((slots * 882 * 2)) ] ||
    fail "the window's recording: $(stat -c %s "$tmp/w.raw") bytes of sound for $slots 50ths of a second"
fi

if ! command -v openbox >/dev/null; then
  echo "scaled window: all checks passed (fullscreen skipped: no openbox)"
  exit 0
fi

# Run 2, under a window manager: --fullscreen fills the screen; the frame
# shows at 4 x (1024 x 1024) with 128-pixel black bars left and right.
openbox --sm-disable >"$tmp/wm.log" 2>&1 &
wmpid=$!
# The manager must run before the window maps: wait until it has announced itself.
wm_up=""
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { wm_up=1; break; }
  kill -0 "$wmpid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$wm_up" ] || fail "openbox did not start: $(cat "$tmp/wm.log")"
start --scale 3 --fullscreen --trace --scene "FLOWERS GAME"
expect_geometry "fullscreen" "0 0 1280 1024"
scene_started
sleep 0.5
import -window root "$tmp/root.png" 2>/dev/null || fail "cannot take a picture of the screen"
bars=$(convert "$tmp/root.png" \( +clone -crop 128x1024+0+0 \) \( -clone 0 -crop 128x1024+1152+0 \) -delete 0 \
  -format '%[fx:maxima] ' info: 2>/dev/null)
[ "$bars" = "0 0 " ] || fail "the bars beside the frame are not black ($bars)"
middle=$(convert "$tmp/root.png" -crop 1024x1024+128+0 -format '%[fx:maxima>0]' info: 2>/dev/null)
[ "$middle" = "1" ] || fail "no picture between the bars"
expect_pointer $((128 + 4 * 10 + 1)) $((4 * 20 + 3)) 10 20
expect_pointer $((128 + 1023)) 1023 255 255
expect_pointer 127 0 -1 0
timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key F11
expect_geometry "F11 back to the window" "768 768"
# Alt held as a hand holds it: the window's move makes the pointer cross its
# edge, and the library reads the keyboard afresh then; a key sequence sent all
# at once has let go of Alt by that time.
xdotool keydown alt
sleep 0.3
xdotool key Return
xdotool keyup alt
expect_geometry "Alt+Enter to fullscreen" "0 0 1280 1024"
stop
echo "scaled and fullscreen window: all checks passed"
