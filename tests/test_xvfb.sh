#!/usr/bin/env bash
# Plays the built program as a person would: under Xvfb, with real mouse and
# keyboard input from xdotool and screenshots of the whole screen. Arguments:
# the program, and the folder for the screenshots. Exit 77 when the X tools
# are missing.
set -uo pipefail
programa=$1
pasta=$2
for f in Xvfb xdotool import convert; do
  command -v "$f" >/dev/null || { echo "sem $f"; exit 77; }
done
mkdir -p "$pasta"
rm -f "$pasta"/*.png

source "$(dirname "$0")/xvfb_privado.sh"
falha() { echo "FALHOU: $*"; exit 1; }
inicia_xvfb || falha "Xvfb"
trap 'kill $xvfb_pid 2>/dev/null; [ -n "${jogo:-}" ] && kill -9 $jogo 2>/dev/null' EXIT

# The colour of one pixel of a screenshot, as "r,g,b".
pixel() {
  convert "$1" -crop 1x1+"$2"+"$3" -depth 8 txt:- |
    sed -n 2p | sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}
foto() { import -window root "$pasta/$1.png"; }
# A key held for a few frames: the game reads input once per frame, and a
# press and release within one frame leaves no edge behind.
tecla() { xdotool keydown "$1"; sleep 0.1; xdotool keyup "$1"; }

cd "$(dirname "$programa")"
# X11 by name: if the window cannot open, SDL would otherwise go on without
# one, and the game would play where nobody sees it.
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=dummy
"./$(basename "$programa")" >"$pasta/saida.txt" 2>&1 &
jogo=$!
janelaAberta() {
  kill -0 $jogo 2>/dev/null || falha "o jogo terminou antes de abrir a janela"
  xdotool search --name Trovasco >/dev/null 2>&1
}
# What the server holds and where the game waits, then the game's own lines,
# which its buffered output gives up only when it ends normally.
relataSemJanela() {
  command -v xwininfo >/dev/null && xwininfo -root -tree | head -20
  command -v gdb >/dev/null &&
    gdb -p $jogo -batch -ex "thread apply all bt 12" 2>/dev/null | grep "^#"
  kill -TERM $jogo
  ate 10 eval '! kill -0 $jogo 2>/dev/null'
  cat "$pasta/saida.txt"
  falha "janela do jogo em 60 s"
}
ate 60 janelaAberta || relataSemJanela
janela=$(xdotool search --name Trovasco | head -1)
xdotool windowmove "$janela" 0 0
xdotool windowfocus --sync "$janela" 2>/dev/null || xdotool windowfocus "$janela"
sleep 1
foto 1-splash

tecla Return
sleep 0.5
xdotool mousemove 500 468
sleep 0.5
foto 2-mira
[ "$(pixel "$pasta/2-mira.png" 197 55)" = "255,0,0" ] || falha "destaque do tipo 1"
[ "$(pixel "$pasta/2-mira.png" 11 300)" != "255,255,255" ] || falha "barra na mira"

xdotool mousedown 1
sleep 0.6
foto 3-carga
[ "$(pixel "$pasta/3-carga.png" 11 300)" = "255,255,255" ] || falha "barra de forca"
xdotool mouseup 1
sleep 0.3
foto 4-voo
[ "$(pixel "$pasta/4-voo.png" 197 55)" != "255,0,0" ] || falha "inventario no voo"
# The flight ends when the ball falls below the window; then player 2 aims
# and its cannon's life bar starts at column 370, under the centre.
xdotool mousemove 300 468
for _ in $(seq 40); do
  sleep 0.5
  foto 5-jogador2
  [ "$(pixel "$pasta/5-jogador2.png" 197 55)" = "255,0,0" ] &&
    [ "$(pixel "$pasta/5-jogador2.png" 371 505)" = "0,255,0" ] && break
done
[ "$(pixel "$pasta/5-jogador2.png" 197 55)" = "255,0,0" ] || falha "mira do jogador 2"
[ "$(pixel "$pasta/5-jogador2.png" 371 505)" = "0,255,0" ] || falha "canhao 2 no centro"

tecla Escape
sleep 0.5
foto 6-fim
[ "$(pixel "$pasta/6-fim.png" 197 55)" != "255,0,0" ] || falha "inventario no fim"
[ "$(pixel "$pasta/6-fim.png" 371 505)" = "0,255,0" ] || falha "campo do jogador 2 no fim"
wait $jogo
status=$?
jogo=
[ $status -eq 0 ] || falha "saida $status"
grep -q "Iniciou a Tovik2D 2 com sucesso" "$pasta/saida.txt" || falha "linha de inicio"
echo "ok: capturas em $pasta"
