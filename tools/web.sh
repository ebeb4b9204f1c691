#!/usr/bin/env bash
# Trovasco in the browser. Installs what is missing, then builds the game,
# the examples and the browser tests' program with Emscripten into build-web/:
# build-web/web/ holds index.html and everything the page loads, ready to copy
# to any static host, and build-web/trovasco-web.zip is that folder zipped.
# build-web/galeria/ is the gallery of every program (the game and the
# examples, each page in a folder of its own), and build-web/galeria.zip that
# folder zipped.
#
#   bash tools/web.sh build   # build only
#   bash tools/web.sh         # build, then serve build-web/web/ on
#                             # http://127.0.0.1:8000/ until Ctrl+C
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/install-deps.sh web

# Debian's emcc runs its JavaScript passes with Debian's modules (acorn in
# /usr/share/nodejs), where a node from elsewhere does not look.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# The asset generator and the examples' resource tool are desktop programs:
# a small release build of just those writes the files the pages preload.
nativo=$PWD/build-web/nativo
cmake -S . -B "$nativo" -DCMAKE_BUILD_TYPE=Release -DT2D2_TESTS=OFF \
  -DT2D2_BENCH=OFF >/dev/null
cmake --build "$nativo" --target assets ola_arquivos -j2 >/dev/null

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DT2D2_NATIVO="$nativo" >/dev/null
cmake --build build-web -j2 >/dev/null
echo "build-web/web/ and build-web/trovasco-web.zip are ready."
echo "The gallery: build-web/galeria/ and build-web/galeria.zip."

[ "${1:-}" = build ] && exit 0
echo "Trovasco: http://127.0.0.1:8000/ (Ctrl+C ends; for the gallery, serve"
echo "build-web/galeria/ instead)"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/web
