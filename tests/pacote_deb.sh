#!/usr/bin/env bash
# Builds the Debian packages with CPack and checks what each one carries: the
# game's package has the launcher, the program, data, manual page, desktop
# entry, metainfo and icons but no development files; the library's package
# has those, in the multiarch folder.
# Skipped after the library checks where the tree has no game or generator.
# Usage: pacote_deb.sh <build folder> <output folder> <game exists> <assets exist>
set -euo pipefail
construcao=$1
saida=$2
command -v dpkg-deb >/dev/null || { echo "falta dpkg-deb"; exit 77; }
command -v dpkg-shlibdeps >/dev/null || { echo "falta dpkg-shlibdeps"; exit 77; }
command -v dpkg-architecture >/dev/null || { echo "falta dpkg-architecture"; exit 77; }
rm -rf "$saida"
mkdir -p "$saida"
cpack -G DEB --config "$construcao/CPackConfig.cmake" -B "$saida" >"$saida/cpack.log" ||
  { cat "$saida/cpack.log"; exit 1; }

falha() { echo "FALHOU: $*" >&2; exit 1; }
contem() { # pacote caminho...
  local lista
  lista=$saida/$(basename "$1").lista
  dpkg-deb -c "$1" | awk '{ print $6 }' >"$lista"
  shift
  for caminho in "$@"; do
    grep -qxF "./$caminho" "$lista" || falha "$caminho falta no pacote"
  done
}

dev=$(ls "$saida"/libtovik2d2-dev_*.deb)
lib=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
contem "$dev" usr/include/t2d2/tovik2d2.h usr/include/t2d2/tovik2d2primitivas.h \
  usr/include/t2d2/tovikaudio2.h "$lib/libtovik2d2.a" \
  "$lib/cmake/Tovik2D2/Tovik2D2Config.cmake" "$lib/pkgconfig/tovik2d2.pc"

if [ "$3" != 1 ] || [ "$4" != 1 ]; then
  echo "esta árvore não tem o jogo e o gerador de arquivos"; exit 77
fi
jogo=$(ls "$saida"/trovasco_*.deb)
contem "$jogo" usr/games/trovasco usr/lib/games/trovasco/trovasco \
  usr/share/games/trovasco/files/splash.png \
  usr/share/games/trovasco/files/fonte.png \
  usr/share/man/man6/trovasco.6.gz \
  usr/share/applications/org.tovik.Trovasco.desktop \
  usr/share/metainfo/org.tovik.Trovasco.metainfo.xml \
  usr/share/icons/hicolor/48x48/apps/trovasco.png \
  usr/share/icons/hicolor/128x128/apps/trovasco.png \
  usr/share/icons/hicolor/256x256/apps/trovasco.png
if grep -qE '\.(a|h)$|/cmake/|pkgconfig' "$saida/$(basename "$jogo").lista"; then
  falha "o pacote do jogo leva arquivos de desenvolvimento"
fi

[ "$(dpkg-deb -f "$jogo" Section)" = games ] || falha "seção não é games"
depende=$(dpkg-deb -f "$jogo" Depends)
# One package name a line, versions dropped.
nomes=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depende")
for pacote in libsdl1.2debian libsdl1.2-compat-shim libsdl-image1.2 \
              libsdl-mixer1.2 libgl1 libgl1-mesa-dri libstdc++6; do
  grep -qxF "$pacote" <<<"$nomes" || falha "Depends sem $pacote: $depende"
done
echo "pacotes: $(basename "$dev") $(basename "$jogo")"
echo "Depends: $depende"
