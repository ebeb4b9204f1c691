# Sourced by the launcher tests. confere_tela_inicial LANCADOR SPLASH PASTA
# starts the launcher from PASTA on a private X server the size of the game's
# window (X11 by name, so a window that cannot open is not replaced by none),
# takes a picture of the screen once the window shows, closes the game
# with SIGTERM (SDL turns it into the window's close request) and checks that
# the picture is the splash image and that every asset loaded.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_privado.sh"

confere_tela_inicial() {
  local lancador=$1 splash=$2 pasta=$3
  local tela=$pasta/tela.png saida=$pasta/saida.txt ref=$pasta/splash-800x600.png
  # The splash is drawn at the window's top-left corner; what it does not
  # cover is the black clear colour.
  convert "$splash" -background black -alpha remove -gravity northwest \
    -extent 800x600 "$ref"
  # The game loads every asset before its first splash frame, which takes
  # seconds on a loaded machine: pictures are taken until one is the splash,
  # for half a minute at most.
  (cd "$pasta" && inicia_xvfb || exit 1
    trap 'kill $xvfb_pid 2>/dev/null' EXIT
    SDL_VIDEODRIVER=x11 "$lancador" >"$saida" 2>&1 &
    jogo=$!
    timeout 30 xdotool search --sync --onlyvisible --name "." >/dev/null
    for _ in $(seq 60); do
      sleep 0.5
      import -window root "$tela"
      erro=$(compare -metric RMSE "$tela" "$ref" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
      awk -v e="$erro" 'BEGIN { exit !(e < 0.05) }' && break
    done
    kill -TERM "$jogo"
    ate 10 eval '! kill -0 "$jogo" 2>/dev/null' || kill -KILL "$jogo" 2>/dev/null || true
    wait "$jogo" || true) ||
    { cat "$saida"; echo "FALHOU: o lançador não rodou sob o Xvfb" >&2; return 1; }

  iconv -f latin1 -t utf-8 "$saida" >"$saida.utf8"
  grep -q "Modo de vídeo iniciado com sucesso!" "$saida.utf8" ||
    { cat "$saida.utf8"; echo "FALHOU: o jogo não abriu a janela" >&2; return 1; }
  # A file the game could not find means the launcher left it in the wrong
  # working folder.
  if grep -qi "erro\|falhou\|não conseguiu\|Não conseguir" "$saida.utf8"; then
    cat "$saida.utf8"; echo "FALHOU: o jogo não carregou seus arquivos" >&2; return 1
  fi

  local cores
  cores=$(convert "$tela" -format %k info:)
  [ "$cores" -gt 16 ] || { echo "FALHOU: a tela tem só $cores cores" >&2; return 1; }
  local erro
  erro=$(compare -metric RMSE "$tela" "$ref" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$erro" 'BEGIN { exit !(e < 0.05) }' ||
    { echo "FALHOU: a tela difere da imagem de abertura (RMSE $erro)" >&2; return 1; }
  echo "tela inicial confere com $splash (RMSE $erro, $cores cores)"
}
