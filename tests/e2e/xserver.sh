# A private X server for the window tests, sourced by them. The caller sets
# $tmp (a scratch folder) and defines fail(). xserver_start SCREEN starts
# Xvfb on a free display number of its own choosing and exports DISPLAY once
# a client has connected to it; xserver_stop ends it and waits until it is
# gone, so its teardown (which unlinks its socket) never overlaps the start
# of the next test's server.
xpid=""
xserver_start() {
  local attempt
  for attempt in 1 2 3; do
    rm -f "$tmp/display"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    xpid=$!
    for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
    if [ -s "$tmp/display" ]; then
      export DISPLAY=":$(head -n1 "$tmp/display")"
      for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
      done
    fi
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
