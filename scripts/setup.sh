#!/usr/bin/env bash
# Installs the Debian packages a step needs: "build" (the default) what
# building and running the demo need, "test" that and the test tools.
# As root it runs apt-get; otherwise it prints the one line to run.
set -euo pipefail
BUILD="cmake g++ make pkg-config libhwy-dev libcli11-dev libsdl2-dev help2man"
# Screenshots and PNG frame files (libpng), recordings (FFmpeg's libraries).
BUILD="$BUILD libpng-dev libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev"
TEST="libgtest-dev libbenchmark-dev netpbm imagemagick sox xvfb xdotool x11-utils desktop-file-utils appstream ffmpeg"
# A window manager for the fullscreen window test.
TEST="$TEST openbox"
# clang 14 with its runtime libraries (libFuzzer, the sanitizers).
FUZZ="clang-14 libclang-rt-14-dev"
WEB="emscripten binaryen node-acorn libhwy-dev cmake make g++ python3"
case "${1:-build}" in
  build) PACKAGES="$BUILD" ;;
  test) PACKAGES="$BUILD $TEST" ;;
  fuzz) PACKAGES="$FUZZ" ;;
  web) PACKAGES="$WEB" ;;
  *) echo "usage: scripts/setup.sh [build|test|fuzz|web]" >&2; exit 2 ;;
esac
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
else
  echo "Missing packages. Run as root:"
  echo "  apt-get update && apt-get install -y$missing"
  exit 1
fi
