#!/usr/bin/env bash
# Plays the built program as a person would: under Xvfb, with real mouse and
# keyboard input from xdotool and screenshots of the whole screen. Every step
# waits by the clock for what the screen shows, and a key or button is held
# until the game shows its effect: the game reads input once per frame, and a
# press and release within one frame leave no edge behind. Arguments: the
# program, the folder for the screenshots, and "computador" to play against
# the computer at its strongest (key 3) instead of a second person (Enter).
# Exit 77 when the X tools are missing.
set -uo pipefail
programa=$1
pasta=$2
adversario=${3:-pessoa}
for f in Xvfb xdotool import convert compare; do
  command -v "$f" >/dev/null || { echo "sem $f"; exit 77; }
done
mkdir -p "$pasta"
rm -f "$pasta"/*.png

source "$(dirname "$0")/xvfb_privado.sh"
# Long enough for the sanitizer build on a loaded two-core machine.
PRAZO=90
passo="servidor X"
jogo=

# Ends the game through its window's close request, so that its buffered
# output is written, and shows that output; a game that does not end is shown
# where it waits, then killed.
encerra_e_mostra_saida() {
  if [ -n "$jogo" ] && kill -0 $jogo 2>/dev/null; then
    kill -TERM $jogo
    if ! ate 30 terminou $jogo; then
      command -v gdb >/dev/null &&
        gdb -p $jogo -batch -ex "thread apply all bt 12" 2>/dev/null | grep "^#"
      kill -KILL $jogo
    fi
  fi
  echo "--- saída do jogo"
  iconv -f latin1 -t utf-8 "$pasta/saida.txt"
}
falha() {
  echo "FALHOU no passo \"$passo\": $*"
  encerra_e_mostra_saida
  echo "--- capturas mantidas em $pasta:" $(cd "$pasta" && ls -- *.png 2>/dev/null)
  exit 1
}
inicia_xvfb || falha "o Xvfb não abriu"
trap '[ -n "$jogo" ] && kill -9 $jogo 2>/dev/null; encerra_xvfb' EXIT

# The checks that espera_tela repeats; each records what it saw. The game may
# end between a screenshot and its check, so a screenshot that shows what was
# awaited counts whatever the game does next.
vivo() {
  kill -0 $jogo 2>/dev/null && return 1
  visto="o jogo terminou; antes, $visto"
  return 2
}
# Pixels the display gives away: the red frame around the first kind in the
# inventory, the force bar's outline and a row of its fill, and the start of
# the life bar under the screen's centre, where the next player's cannon is.
# Player 2's force bar stands at the right edge; the white frame of the first
# slot shows whichever kind is chosen.
DESTAQUE=197,55 BORDA_BARRA=11,300 CARGA_ALTA=20,200 VIDA_CENTRO=371,505
BORDA_BARRA2=771,300 INVENTARIO=250,11
le() {
  read -r destaque borda carga vida borda2 inventario <<<"$(cores "$1" \
    $DESTAQUE $BORDA_BARRA $CARGA_ALTA $VIDA_CENTRO $BORDA_BARRA2 $INVENTARIO)"
  visto="destaque $destaque, borda da barra $borda, carga $carga, vida $vida,"
  visto="$visto borda da barra do jogador 2 $borda2, inventário $inventario"
}
splash() { eh_splash "$referencia" "$1" || vivo; }
mira() { le "$1"; [ "$destaque" = 255,0,0 ] && [ "$borda" != 255,255,255 ] || vivo; }
# Charged past two thirds, so the shot flies long enough to be seen.
carga() { le "$1"; [ "$borda" = 255,255,255 ] && [ "$carga" != 0,0,0 ] || vivo; }
voo() { le "$1"; [ "$destaque" != 255,0,0 ] && [ "$borda" = 255,255,255 ] || vivo; }
jogador2() { le "$1"; [ "$destaque" = 255,0,0 ] && [ "$vida" = 0,255,0 ] || vivo; }
fim() { le "$1"; [ "$destaque" != 255,0,0 ] && [ "$vida" = 0,255,0 ] || vivo; }
tiro2() { le "$1"; [ "$borda2" = 255,255,255 ] || vivo; }
mira1() { le "$1"; [ "$inventario" = 255,255,255 ] && [ "$borda2" != 255,255,255 ] &&
  [ "$borda" != 255,255,255 ] || vivo; }
# The aiming screen has nothing moving: two equal pictures in a row mean the
# pointer's angle has been drawn.
anterior=
parada() {
  local igual=1
  [ -n "$anterior" ] &&
    [ "$(compare -metric AE "$anterior" "$1" null: 2>&1)" = 0 ] && igual=0
  cp "$1" "$pasta/anterior.png"
  anterior=$pasta/anterior.png
  visto="a tela ainda muda"
  [ $igual -eq 0 ] || vivo
}
# espera STEP CHECK: screenshot STEP.png once CHECK holds, or fail.
espera() {
  passo=$1
  espera_tela $PRAZO "$pasta/$1.png" "$2" ||
    falha "em $PRAZO s; visto por último: $visto"
}
# segura DOWN UP STEP CHECK: holds a key or button until CHECK holds.
segura() {
  xdotool $1
  espera "$3" "$4"
  xdotool $2
}

passo="janela"
referencia=$pasta/referencia-splash.png
referencia_splash "$(dirname "$programa")/files/splash.png" "$referencia"
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
if ! ate $PRAZO janelaAberta; then
  command -v xwininfo >/dev/null && xwininfo -root -tree | head -20
  falha "nenhuma janela Trovasco em $PRAZO s"
fi
janela=$(xdotool search --name Trovasco | head -1)
# The screenshots' pixels are the window's own once it sits at the origin,
# and the keys reach it once it has the focus.
noCanto() { xdotool getwindowgeometry --shell "$janela" | grep -qx 'X=0' &&
  xdotool getwindowgeometry --shell "$janela" | grep -qx 'Y=0'; }
comFoco() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$janela" ]; }
xdotool windowmove "$janela" 0 0
ate $PRAZO noCanto || falha "a janela não foi para o canto"
xdotool windowfocus "$janela"
ate $PRAZO comFoco || falha "a janela não recebeu o foco"

espera 1-splash splash
# The pointer is in place before play starts, so the first aiming frame
# already points the barrel at it.
xdotool mousemove --sync 500 468
inicio=Return
[ "$adversario" = computador ] && inicio=3
segura "keydown $inicio" "keyup $inicio" 2-mira mira
espera 2-mira parada
rm -f "$anterior"

segura "mousedown 1" "mouseup 1" 3-carga carga
espera 4-voo voo
# The flight ends when the ball falls below the window or hits; then player 2
# aims, and its cannon stands under the centre.
xdotool mousemove 300 468
if [ "$adversario" = computador ]; then
  # The computer's turn: it charges and fires by itself, whatever the
  # person's mouse does meanwhile; then the person aims again. Its force bar
  # stands at the right edge through its charge and its flight, seconds in
  # all, so a loaded machine's slow screenshots still see it; its aiming
  # frames pass too quickly for that once it changes balls.
  espera 5-computador-tiro tiro2
  espera 6-mira mira1
else
  espera 5-jogador2 jogador2
fi

segura "keydown Escape" "keyup Escape" 9-fim fim
passo="saída"
ate $PRAZO terminou $jogo || falha "o jogo não terminou em $PRAZO s"
wait $jogo
status=$?
jogo=
[ $status -eq 0 ] || falha "saída $status"
grep -q "Iniciou a Tovik2D 2 com sucesso" "$pasta/saida.txt" ||
  falha "sem a linha de início"
echo "ok: capturas em $pasta"
