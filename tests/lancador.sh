#!/usr/bin/env bash
# Installs the game into a temporary prefix, moves the prefix elsewhere and
# starts the game through the moved launcher from an unrelated working folder,
# on a private X server: the splash screen must show. Skipped where the tree
# has no game or no asset generator, or where the X tools are missing.
# Usage: lancador.sh <build folder> <game target exists> <assets target exists>
set -euo pipefail
construcao=$1
if [ "$2" != 1 ] || [ "$3" != 1 ]; then
  echo "esta árvore não tem o jogo e o gerador de arquivos"; exit 77
fi
for ferramenta in Xvfb xdotool import convert compare; do
  command -v "$ferramenta" >/dev/null || { echo "falta $ferramenta"; exit 77; }
done
source "$(dirname "$0")/tela_inicial.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$construcao" --prefix "$tmp/instalado" --component jogo >/dev/null
mv "$tmp/instalado" "$tmp/prefixo"
splash=$tmp/prefixo/share/games/trovasco/files/splash.png
[ -f "$splash" ] || { echo "FALHOU: os arquivos do jogo não foram instalados" >&2; exit 1; }
mkdir "$tmp/outra-pasta"
confere_tela_inicial "$tmp/prefixo/games/trovasco" "$splash" "$tmp/outra-pasta" \
  "$construcao/tests/lancador"
