#!/usr/bin/env bash
# Runs the real-window tests N times (30 by default) in the debug and the
# sanitizer builds while another process keeps one core busy, and prints how
# many runs of each test passed and failed. A failed run keeps its output and
# screenshots in <build>/estresse/. Not part of the test command.
#
#   bash tools/estresse.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
vezes=${1:-30}
bash tools/install-deps.sh

constroi() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)" >/dev/null
}
constroi build
constroi build-asan -DT2D2_SANITIZE=ON -DT2D2_BENCH=OFF

yes >/dev/null &
ocupado=$!
trap 'kill $ocupado' EXIT

declare -A passou falhou
for dir in build build-asan; do
  rm -rf "$dir/estresse"
  mkdir -p "$dir/estresse"
  for i in $(seq "$vezes"); do
    log=$dir/estresse/$i.log
    ctest --test-dir "$dir" -L janela -LE sistema --output-on-failure >"$log" 2>&1 || true
    rodada_ok=1
    while read -r nome resultado; do
      chave="$dir $nome"
      passou[$chave]=${passou[$chave]:-0}
      falhou[$chave]=${falhou[$chave]:-0}
      case $resultado in
        Passed) passou[$chave]=$((passou[$chave] + 1)) ;;
        Skipped) echo "$dir: $nome foi pulado na rodada $i" ;;
        *)
          falhou[$chave]=$((falhou[$chave] + 1))
          rodada_ok=0
          echo "$dir: $nome falhou na rodada $i (veja $log)" ;;
      esac
    done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.+\** *([A-Za-z]+).*/\1 \2/p' "$log")
    grep -q "Test *#" "$log" || { cat "$log"; echo "$dir: nenhum teste rodou"; exit 1; }
    if [ $rodada_ok -eq 1 ]; then
      rm -f "$log"
    else
      cp -r "$dir/tests/xvfb" "$dir/estresse/$i-xvfb" 2>/dev/null || true
    fi
  done
done

total_falhas=0
printf '%-12s %-16s %6s %6s\n' build teste passou falhou
for chave in $(printf '%s\n' "${!passou[@]}" | sort | tr ' ' '|'); do
  chave=${chave/|/ }
  printf '%-12s %-16s %6s %6s\n' $chave "${passou[$chave]}" "${falhou[$chave]}"
  total_falhas=$((total_falhas + falhou[$chave]))
done
[ "$total_falhas" -eq 0 ]
