#!/usr/bin/env bash
# A game maker's way to the browser: the development files of the browser
# build's desktop helper installed into a temporary prefix, a small game of
# their own (jogo_pacote/) built against it with the guide's three commands,
# the third serving its page, which pacote.mjs plays on an emulated phone.
# Prints each step's time.
# Usage: pacote.sh <build-web/nativo> <build folder for the game>
set -euo pipefail
nativo=$1
construcao=$2
fontes=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
servidor=
trap '[ -z "$servidor" ] || kill "$servidor"; rm -rf "$tmp"' EXIT
# Debian's emcc runs its JavaScript passes with Debian's modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
source "$fontes/../relogio.sh"

passo() {
  local nome=$1 inicio
  shift
  inicio=$(date +%s.%N)
  "$@" >"$tmp/passo.log" 2>&1 || { cat "$tmp/passo.log"; echo "FALHOU: $nome" >&2; exit 1; }
  awk -v n="$nome" -v a="$inicio" -v b="$(date +%s.%N)" 'BEGIN { printf "%s: %.1f s\n", n, b - a }'
}

# The install needs the whole desktop build (the library, the reference).
passo "build nativa" cmake --build "$nativo" -j2
prefixo=$tmp/prefixo
passo "instalação" cmake --install "$nativo" --component dev --prefix "$prefixo"
pacote=$(dirname "$(find "$prefixo" -name Tovik2D2Config.cmake -print -quit)")

rm -rf "$construcao"
passo "1. configurar" emcmake cmake -S "$fontes/jogo_pacote" -B "$construcao" \
  -DCMAKE_BUILD_TYPE=Release -DTovik2D2_DIR="$pacote"
passo "2. construir" cmake --build "$construcao" -j2
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$construcao/jogo" \
  >"$tmp/servidor.log" 2>&1 &
servidor=$!
servindo() { grep -q "port [0-9]" "$tmp/servidor.log"; }
ate 10 servindo || { cat "$tmp/servidor.log"; echo "FALHOU: o servidor não respondeu" >&2; exit 1; }
porta=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$tmp/servidor.log" | head -1)
echo "3. servir: http://127.0.0.1:$porta/"
node "$fontes/pacote.mjs" "$construcao/jogo" "http://127.0.0.1:$porta/" "$construcao"
