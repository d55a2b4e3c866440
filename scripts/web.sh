#!/usr/bin/env bash
# Builds the demo for the web browser with Debian's Emscripten into
# build-web/ (index.html, qorn.js, qorn7316.js, qorn7316.wasm; the page
# fetches nothing from elsewhere).
#   scripts/web.sh          build
#   scripts/web.sh serve    build, then serve build-web/ on http://127.0.0.1:8316/
# PORT=N picks another port; QORN_WERROR=ON or OFF switches warnings as
# errors (the web test turns them on; the build keeps the last choice);
# QORN_WEB_SIMD=OFF builds the drawing kernels without WebAssembly SIMD.
# As root the script installs the packages it needs with apt-get; otherwise
# it prints the one apt-get line to run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh web

# Emscripten's JavaScript tools need Debian's acorn, which lives outside a
# node installed from elsewhere's search path.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# Emscripten keeps its cache in its own tree; a user without write access
# there gets a private copy of the prebuilt system libraries.
if [ ! -w /usr/share/emscripten/cache ] && [ -z "${EM_CACHE:-}" ]; then
  export EM_CACHE="$PWD/build-web/em-cache"
  if [ ! -d "$EM_CACHE" ]; then
    mkdir -p build-web
    cp -r /usr/share/emscripten/cache "$EM_CACHE"
  fi
fi

jobs=$(nproc 2>/dev/null || echo 2)
out=build-web
mkdir -p "$out/host"
# The asset tool runs on this machine while the build is made.
if [ ! -x "$out/host/qorn_embed" ] || [ tools/embed.cpp -nt "$out/host/qorn_embed" ]; then
  c++ -std=c++20 -O2 -o "$out/host/qorn_embed" tools/embed.cpp
fi
emcmake cmake -S web -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release \
  -DQORN_EMBED="$PWD/$out/host/qorn_embed" -DQORN_SITE_DIR="$PWD/$out" \
  ${QORN_WEB_SIMD:+-DQORN_WEB_SIMD=$QORN_WEB_SIMD} \
  ${QORN_WERROR:+-DQORN_WERROR=$QORN_WERROR} >/dev/null
cmake --build "$out/cmake" -j"$jobs"
echo "Built: $out/index.html, $out/qorn7316.js, $out/qorn7316.wasm ($(stat -c %s "$out/qorn7316.wasm") bytes)"

if [ "${1:-}" = serve ]; then
  port=${PORT:-8316}
  echo "Serving $out/ on http://127.0.0.1:$port/ (Ctrl-C ends)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
