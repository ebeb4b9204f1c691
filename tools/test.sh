#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first the
# debug build, then the same suite under the address and undefined-behaviour
# sanitizers, then the browser build's tests in Chromium, Firefox and WebKitGTK
# (the game's compare their screenshots with those the debug build's Xvfb test
# took).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" >/dev/null
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

run_suite build
run_suite build-asan -DT2D2_SANITIZE=ON -DT2D2_BENCH=OFF

bash tools/web.sh build
ctest --test-dir build-web -L web --output-on-failure
cat build-web/capturas/figuras.txt build-web/capturas-firefox/figuras.txt \
  build-web/capturas-webkit/figuras.txt

# Our own loading, font and collision code under libFuzzer, about a minute
# each.
bash tools/fuzz.sh 60
