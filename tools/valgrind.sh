#!/usr/bin/env bash
# Valgrind's memcheck over a scripted game of 1000 frames (or as many as
# asked) on the SDL back-end with dummy video and audio, in the debug build:
# any invalid access, use of uninitialised memory or definitely lost block
# fails. Suppressions are only the commented ones in tests/valgrind.supp.
#
#   bash tools/valgrind.sh [frames]
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build --target soak_jogo -j2 >/dev/null
cd build/tests
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite --num-callers=30 \
  --suppressions=../../tests/valgrind.supp \
  ./soak_jogo "${1:-1000}" sdl >/dev/null
