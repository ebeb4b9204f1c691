# Sourced by the launcher tests. confere_tela_inicial LANCADOR SPLASH PASTA
# GUARDAR starts the launcher from PASTA on a private X server the size of the game's
# window (X11 by name, so a window that cannot open is not replaced by none),
# takes pictures of the screen until one is the splash, closes the game with
# SIGTERM (SDL turns it into the window's close request) and checks that
# every asset loaded. On a failure PASTA, with the screenshot and the game's
# output, is kept as GUARDAR.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_privado.sh"

confere_tela_inicial() {
  local lancador=$1 splash=$2 pasta=$3 guardar=$4
  falhou() {
    echo "FALHOU: $*" >&2
    rm -rf "$guardar"
    cp -r "$pasta" "$guardar"
    echo "captura e saída mantidas em $guardar" >&2
  }
  local tela=$pasta/tela.png saida=$pasta/saida.txt ref=$pasta/splash-800x600.png
  referencia_splash "$splash" "$ref"
  # The game loads every asset before its first splash frame, which takes
  # seconds on a loaded machine: pictures are taken until one is the splash.
  (cd "$pasta" && inicia_xvfb || exit 1
    trap encerra_xvfb EXIT
    SDL_VIDEODRIVER=x11 "$lancador" >"$saida" 2>&1 &
    jogo=$!
    abertura() {
      kill -0 "$jogo" 2>/dev/null || { visto="o jogo terminou"; return 2; }
      eh_splash "$ref" "$1"
    }
    status=0
    espera_tela 90 "$tela" abertura ||
      { echo "FALHOU: sem a abertura em 90 s; visto por último: $visto" >&2; status=1; }
    kill -TERM "$jogo" 2>/dev/null
    ate 30 terminou "$jogo" || kill -KILL "$jogo" 2>/dev/null
    wait "$jogo"
    exit $status) ||
    { iconv -f latin1 -t utf-8 "$saida"; falhou "o lançador não rodou sob o Xvfb"; return 1; }

  iconv -f latin1 -t utf-8 "$saida" >"$saida.utf8"
  grep -q "Modo de vídeo iniciado com sucesso!" "$saida.utf8" ||
    { cat "$saida.utf8"; falhou "o jogo não abriu a janela"; return 1; }
  # A file the game could not find means the launcher left it in the wrong
  # working folder.
  if grep -qi "erro\|falhou\|não conseguiu\|Não conseguir" "$saida.utf8"; then
    cat "$saida.utf8"; falhou "o jogo não carregou seus arquivos"; return 1
  fi

  local ncores
  ncores=$(convert "$tela" -format %k info:)
  [ "$ncores" -gt 16 ] || { falhou "a tela tem só $ncores cores"; return 1; }
  local erro
  erro=$(compare -metric RMSE "$tela" "$ref" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$erro" 'BEGIN { exit !(e < 0.05) }' ||
    { falhou "a tela difere da imagem de abertura (RMSE $erro)"; return 1; }
  echo "tela inicial confere com $splash (RMSE $erro, $ncores cores)"
}
