#!/usr/bin/env bash
# Makes the program's icon, dist/qorn7316.png, once: the demo's first frame
# (the intro picture), rendered headless and converted to PNG with netpbm's
# pnmtopng. The result is committed; run this again only when the intro
# picture changes. The window icon is made from the same frame at run time.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/qorn7316}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$program" --headless --frames 1 --dump-frames="$tmp"
pnmtopng -compression 9 "$tmp/frame-00001.ppm" >dist/qorn7316.png
echo "Wrote dist/qorn7316.png"
