#!/usr/bin/env bash
# Tests the web build in headless Chromium: builds it (scripts/web.sh) and
# the native program, serves build-web/ on 127.0.0.1, and runs
# tests/web/page_test.js with puppeteer-core (installed into .web-test/, no
# browser download; the browser is Debian's chromium).
#   scripts/web-test.sh               the checks; screenshot in out/web-test/page.png
#   scripts/web-test.sh --all-scenes  frame rate and work per frame of every scene
# As root the script installs the packages it needs with apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! dpkg-query -W -f='${Status}' chromium 2>/dev/null | grep -q "install ok installed" ||
   ! command -v npm >/dev/null; then
  if [ "$(id -u)" = 0 ]; then
    echo "Installing: chromium npm"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium $(command -v npm >/dev/null || echo npm) >/dev/null
  else
    echo "Missing packages. Run as root:"
    echo "  apt-get update && apt-get install -y chromium npm"
    exit 1
  fi
fi
tools=.web-test
if [ ! -d "$tools/node_modules/puppeteer-core" ]; then
  mkdir -p "$tools"
  [ -f "$tools/package.json" ] || echo '{ "name": "qorn7316-web-test", "private": true }' > "$tools/package.json"
  # puppeteer-core never downloads a browser.
  (cd "$tools" && npm install --no-audit --no-fund --loglevel=error puppeteer-core@24 >/dev/null)
fi

QORN_WERROR=ON bash scripts/web.sh
bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs" --target qorn7316 >/dev/null

port=${PORT:-8317}
python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/index.html')" 2>/dev/null && break
  sleep 0.2
done
NODE_PATH="$PWD/$tools/node_modules" node tests/web/page_test.js "http://127.0.0.1:$port/index.html" \
  "$PWD/build/qorn7316" "$PWD/out/web-test" "$@"
