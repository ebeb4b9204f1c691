#!/usr/bin/env bash
# The library in full screen on a 1024x768 X server: the whole 800x600 frame,
# a green corner and a red left half over blue, must show pixel for pixel,
# centred where no 800x600 mode exists, and the program must end on the close
# request. Exit 77 when the X tools are missing.
# Usage: tela_cheia.sh <program> <folder for the screenshot>
set -uo pipefail
programa=$1
pasta=$2
for f in Xvfb xdotool import convert; do
  command -v "$f" >/dev/null || { echo "sem $f"; exit 77; }
done
mkdir -p "$pasta"
source "$(dirname "$0")/xvfb_privado.sh"
falha() { echo "FALHOU: $*"; cat "$pasta/saida.txt"; exit 1; }
inicia_xvfb 1024x768 || falha "o Xvfb não abriu"
trap '[ -n "${pid:-}" ] && kill -9 $pid 2>/dev/null; encerra_xvfb' EXIT

SDL_VIDEODRIVER=x11 "$programa" >"$pasta/saida.txt" 2>&1 &
pid=$!
# The frame's corners and either side of each edge, at the offset (112, 84).
esperado="0,0,0 0,255,0 0,255,0 255,0,0 255,0,0 0,0,255 0,0,255 0,0,0"
cheia() {
  kill -0 $pid 2>/dev/null || { visto="o programa terminou"; return 2; }
  visto=$(cores "$1" 111,84 112,84 211,183 212,184 511,683 513,84 911,683 912,683)
  [ "$visto" = "$esperado" ]
}
espera_tela 90 "$pasta/tela-cheia.png" cheia ||
  falha "o quadro não apareceu inteiro em 90 s; visto por último: $visto; esperado: $esperado"
kill -TERM $pid
ate 60 terminou $pid || falha "não terminou em 60 s"
wait $pid || falha "saída $?"
pid=
echo "ok: a tela cheia mostra o quadro inteiro"
