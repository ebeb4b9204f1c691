#!/usr/bin/env bash
# Installs both Debian packages on this machine with apt-get, starts the
# installed launcher from another folder under a private X server, checks the
# splash screen, builds the examples that the development package carries
# against the system alone, through CMake and through pkg-config, and purges
# the packages again. It changes the system, so it
# runs only as root in CI (CI=true); everywhere else it is skipped.
# Usage: pacote_instala.sh <folder holding the packages>
set -euo pipefail
pacotes=$1
if [ "${CI:-}" != true ] || [ "$(id -u)" -ne 0 ]; then
  echo "instala pacotes no sistema: só como root no CI"; exit 77
fi
if [ "$(dpkg-query -W -f='${db:Status-Status}' trovasco 2>/dev/null)" = installed ]; then
  echo "FALHOU: trovasco já está instalado; este teste não o substitui" >&2; exit 1
fi
source "$(dirname "$0")/tela_inicial.sh"
tmp=$(mktemp -d)
trap 'apt-get purge -y -qq trovasco libtovik2d2-dev >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(ls "$pacotes"/trovasco_*.deb | head -1)" \
  "$(ls "$pacotes"/libtovik2d2-dev_*.deb | head -1)" >"$tmp/apt.log" 2>&1 ||
  { cat "$tmp/apt.log"; exit 1; }
# Debian puts /usr/games on the PATH of users but not of root, so the
# launcher is started by its full name, and found by name only where the PATH
# has it.
lancador=/usr/games/trovasco
[ -x "$lancador" ] || { echo "FALHOU: o pacote não instalou $lancador" >&2; exit 1; }
if [[ ":$PATH:" == *:/usr/games:* ]]; then
  achado=$(command -v trovasco || true)
  [ "$achado" = "$lancador" ] || { echo "FALHOU: trovasco no PATH é \"$achado\"" >&2; exit 1; }
fi
mkdir "$tmp/outra-pasta"
confere_tela_inicial "$lancador" /usr/share/games/trovasco/files/splash.png \
  "$tmp/outra-pasta" "$(dirname "$pacotes")/pacote_instala"

# The development package's examples, built where a user finds them.
exemplos=/usr/share/doc/libtovik2d2-dev/examples
{ cmake -S "$exemplos" -B "$tmp/exemplos" && cmake --build "$tmp/exemplos" -j2; } \
  >"$tmp/exemplos.log" 2>&1 ||
  { cat "$tmp/exemplos.log"; echo "FALHOU: os exemplos instalados não constroem com CMake" >&2; exit 1; }
read -r -a flags <<<"$(pkg-config --cflags --libs --static tovik2d2)"
for exemplo in "$exemplos"/*.cpp; do
  [ "$(basename "$exemplo")" = recursos.cpp ] && continue
  g++ -std=c++17 -o "$tmp/$(basename "$exemplo" .cpp)-pc" "$exemplo" "${flags[@]}" ||
    { echo "FALHOU: $exemplo não constrói com pkg-config" >&2; exit 1; }
done
echo "pacotes: o jogo abre e os exemplos do -dev constroem com CMake e pkg-config"
