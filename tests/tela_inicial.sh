# Sourced by the launcher tests. confere_tela_inicial LANCADOR SPLASH PASTA
# starts the launcher from PASTA on a private X server the size of the game's
# window, takes a picture of the screen once the window shows, closes the game
# with SIGTERM (SDL turns it into the window's close request) and checks that
# the picture is the splash image and that every asset loaded.
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
  (cd "$pasta" && xvfb-run -a -s "-screen 0 800x600x24" bash -c '
     "$0" >"$1" 2>&1 &
     jogo=$!
     timeout 30 xdotool search --sync --onlyvisible --name "." >/dev/null
     for _ in $(seq 60); do
       sleep 0.5
       import -window root "$2"
       erro=$(compare -metric RMSE "$2" "$3" null: 2>&1 | sed "s/.*(\(.*\))/\1/")
       awk -v e="$erro" "BEGIN { exit !(e < 0.05) }" && break
     done
     kill -TERM "$jogo"
     for _ in $(seq 50); do kill -0 "$jogo" 2>/dev/null || break; sleep 0.2; done
     kill -KILL "$jogo" 2>/dev/null || true
     wait "$jogo" || true' "$lancador" "$saida" "$tela" "$ref") ||
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
