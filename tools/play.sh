#!/usr/bin/env bash
# Installs what is missing, builds the game in release mode (which also
# generates its files/) and starts it from the folder that holds files/,
# because the game reads ./files/ relative to its working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DT2D2_TESTS=OFF \
  -DT2D2_BENCH=OFF >/dev/null
cmake --build build-release --target trovasco -j "$(nproc)" >/dev/null
cd build-release/jogo
exec ./trovasco
