# A private X server for the window tests, sourced by them. The caller sets
# $tmp (a scratch folder) and $program. xserver_start SCREEN starts
# Xvfb and exports DISPLAY once a client has connected to it; xserver_stop
# ends it and waits until it is gone. The display number is drawn at random
# from a high range rather than taken as the lowest free one: a server
# tearing down (even one of another test run on the same machine) unlinks its
# socket after it has given up its number, so a new server given that same
# number at that moment would lose its socket.
xpid=""

# fail WHAT: the failure line, the program's output below it, and the end
# (unless the caller has a fail of its own).
declare -F fail >/dev/null || fail() {
  echo "FAIL: $*"
  [ -s "$tmp/out" ] && sed 's/^/  program: /' "$tmp/out"
  exit 1
}
xserver_start() {
  local attempt n
  for attempt in 1 2 3 4 5; do
    n=$(( 200 + RANDOM % 3000 ))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$1" -nolisten tcp 2>"$tmp/xvfb.log" &
    xpid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      kill -0 "$xpid" 2>/dev/null || break
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    xserver_stop
  done
  fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
}
xserver_stop() {
  [ -n "$xpid" ] || return 0
  kill "$xpid" 2>/dev/null
  wait "$xpid" 2>/dev/null
  xpid=""
}

# start ARGS...: runs $program with ARGS in the background (its output in
# $tmp/out, its process in qpid) and sets wid to its window once one titled
# QORN7316 shows.
start() {
  "$program" "$@" >"$tmp/out" 2>&1 &
  qpid=$!
  wid=""
  for _ in $(seq 300); do   # 30 s: a sanitizer build on a busy machine starts slowly
    wid=$(xdotool search --name '^QORN7316$' 2>/dev/null | head -n1)
    [ -n "$wid" ] && return 0
    kill -0 "$qpid" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.1
  done
  fail "no window titled QORN7316"
}

# The window's place and size: X Y W H.
geometry() {
  xwininfo -id "$wid" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
