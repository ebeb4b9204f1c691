#!/usr/bin/env bash
# A long scripted game, 100,000 frames by default, on both back-ends: first
# in an optimised build, where the heap in use must grow by less than 1 MiB
# between frame 1000 and the last, then under the address, leak and
# undefined-behaviour sanitizers, which must report nothing. Frames follow
# each other as fast as they are drawn (the soak program keeps its own
# clock), so the game's 28 minutes at 60 fps take what drawing takes.
#
#   bash tools/soak.sh [frames]
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
quadros=${1:-100000}
supp=$PWD/tests/lsan.supp

build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DT2D2_BENCH=OFF "$@" >/dev/null
  cmake --build "$dir" --target soak_jogo -j2 >/dev/null
}

run() {
  local dir=$1 video=$2 backend=$3
  echo "== $dir, $backend back-end, $quadros frames"
  (cd "$dir/tests" &&
    env SDL_VIDEODRIVER="$video" SDL_AUDIODRIVER=dummy \
      LSAN_OPTIONS="suppressions=$supp" UBSAN_OPTIONS=print_stacktrace=1 \
      ./soak_jogo "$quadros" "$backend" >/dev/null)
}

build build-soak -DCMAKE_BUILD_TYPE=Release
build build-soak-asan -DCMAKE_BUILD_TYPE=Debug -DT2D2_SANITIZE=ON
falhas=0
run build-soak offscreen gl || falhas=$((falhas + 1))
run build-soak dummy sdl || falhas=$((falhas + 1))
run build-soak-asan offscreen gl || falhas=$((falhas + 1))
run build-soak-asan dummy sdl || falhas=$((falhas + 1))
echo "soak: $((4 - falhas)) passed, $falhas failed"
[ "$falhas" -eq 0 ]
