#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# As root it runs apt-get; otherwise it prints the one line to run.
set -euo pipefail
PACKAGES="cmake g++ make pkg-config libcli11-dev libgtest-dev libbenchmark-dev libsdl2-dev netpbm imagemagick sox xvfb xdotool x11-utils"
# Screenshots and PNG frames (libpng), recordings (FFmpeg's libraries), and
# ffprobe/ffmpeg for the recording tests.
PACKAGES="$PACKAGES libpng-dev libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev ffmpeg"
# A window manager for the fullscreen window test.
PACKAGES="$PACKAGES openbox"
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
