# Sourced by the tests that run the game in a real X window.

source "$(dirname "${BASH_SOURCE[0]}")/relogio.sh"

# inicia_xvfb [WxH]: starts a private X server, 800x600 unless told, and
# exports its DISPLAY, or fails. The server picks a free display number itself
# and writes it only once it accepts connections, so neither a test running
# beside this one nor a slow start can hand the game a display that is not
# there. Sets xvfb_pid.
inicia_xvfb() {
  local numero
  numero=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-800x600}x24" -nolisten tcp 3>"$numero" \
    >/dev/null 2>&1 &
  xvfb_pid=$!
  local fim=$((SECONDS + 60))
  until [ "$(wc -l <"$numero")" -ge 1 ]; do
    if terminou $xvfb_pid || [ $SECONDS -ge $fim ]; then
      rm -f "$numero"
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=:$(head -1 "$numero")
  export DISPLAY
  rm -f "$numero"
  # A client is the proof that the server answers.
  ate 60 xdotool getdisplaygeometry >/dev/null 2>&1
}

# encerra_xvfb: stops the server and waits for it to be gone, so that the
# next test's server never meets this one's sockets on their way out.
encerra_xvfb() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill "$xvfb_pid" 2>/dev/null
  ate 30 terminou "$xvfb_pid" || kill -KILL "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# espera_tela SECONDS FILE CHECK...: screenshots of the whole screen go to
# FILE until `CHECK... FILE` succeeds, for at most SECONDS by the clock. CHECK
# leaves what it saw in $visto for the caller's report, and answers 2 when
# waiting longer cannot help (the game is gone).
espera_tela() {
  local fim=$((SECONDS + $1)) arquivo=$2 status erro
  shift 2
  visto="nenhuma captura"
  while :; do
    if erro=$(import -window root "$arquivo" 2>&1); then
      "$@" "$arquivo" && return 0
      status=$?
      [ $status -ne 2 ] || return 1
    else
      visto="a captura falhou: $erro"
    fi
    [ $SECONDS -lt $fim ] || return 1
    sleep 0.05
  done
}

# cores IMAGE X,Y...: the colour at each point as "r,g,b", space separated,
# from one read of the image.
cores() {
  local imagem=$1 formato="" p
  shift
  for p in "$@"; do
    formato+="%[fx:int(255*p{$p}.r+.5)],%[fx:int(255*p{$p}.g+.5)],"
    formato+="%[fx:int(255*p{$p}.b+.5)] "
  done
  convert "$imagem" -format "${formato% }" info:
}

# referencia_splash SPLASH FILE: the screen the splash should give, drawn at
# the window's top-left corner over the black clear colour.
referencia_splash() {
  convert "$1" -background black -alpha remove -gravity northwest \
    -extent 800x600 "$2"
}

# eh_splash REFERENCE FILE: whether the screenshot FILE is the splash, within
# the filtering's rounding; sets $visto to the distance.
eh_splash() {
  local erro
  erro=$(compare -metric RMSE "$2" "$1" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  visto="RMSE $erro em relação à imagem de abertura"
  awk -v e="$erro" 'BEGIN { exit !(e < 0.05) }'
}
