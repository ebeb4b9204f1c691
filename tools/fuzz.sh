#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz/ with clang (address and
# undefined-behaviour sanitizers on the library's own sources) and runs each
# for the given number of seconds (default 60), starting from the committed
# seeds in tests/fuzz/corpus/<name>/. New inputs go to a scratch corpus in
# build-fuzz/, never into the committed one. Ends non-zero on any crash.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-60}
bash tools/install-deps.sh

saida=build-fuzz
mkdir -p "$saida"
cxx=clang++-14
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=all -Iinclude -Itovik2d2/src
       $(pkg-config --cflags sdl SDL_image))
libs=($(pkg-config --libs sdl SDL_image) -lGL)
fontes=(tovik2d2/src/tovik2d2.cpp tovik2d2/src/tovik2d2_desktop.cpp
        tovik2d2/src/tovik2d2_gl.cpp
        tovik2d2/src/tovik2d2_sdl.cpp)

falhas=0
for nome in fuzz_spriteset fuzz_fonte fuzz_colisao; do
  "$cxx" "${flags[@]}" "tests/fuzz/$nome.cpp" "${fontes[@]}" "${libs[@]}" \
    -o "$saida/$nome"
  mkdir -p "$saida/corpus_$nome"
  echo "== $nome: ${segundos}s"
  if ! (cd "$saida" && ASAN_OPTIONS=detect_leaks=1 "./$nome" \
          -max_total_time="$segundos" -print_final_stats=1 \
          -artifact_prefix="./${nome}_" \
          "corpus_$nome" "../tests/fuzz/corpus/$nome" 2>"$nome.log"); then
    falhas=$((falhas + 1))
    tail -n 40 "$saida/$nome.log"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$saida/$nome.log" \
    | sed "s/^/$nome /"
done
[ "$falhas" -eq 0 ] || { echo "$falhas harness(es) crashed"; exit 1; }
