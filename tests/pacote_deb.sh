#!/usr/bin/env bash
# Builds the Debian packages with CPack and checks them: lintian accepts both
# without errors or warnings; the library's package has the development files
# in the multiarch folder, the guide, the reference, the examples and the
# starter font sheet; the game's package has the launcher, the program,
# data, manual page, desktop entry, metainfo and icons but no development
# files, and each of its documents names the packages' version.
# Skipped after the library checks where the tree has no game or generator.
# Usage: pacote_deb.sh <build folder> <output folder> <game exists> <assets exist>
set -euo pipefail
construcao=$1
saida=$2
for ferramenta in dpkg-deb dpkg-shlibdeps dpkg-architecture lintian; do
  command -v "$ferramenta" >/dev/null || { echo "falta $ferramenta"; exit 77; }
done
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

# Informational tags are not counted; overrides are in the packages.
lintian --fail-on error,warning "$saida"/*.deb >"$saida/lintian.log" 2>&1 ||
  { cat "$saida/lintian.log"; falha "lintian recusou os pacotes"; }

dev=$(ls "$saida"/libtovik2d2-dev_*.deb)
lib=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
contem "$dev" usr/include/t2d2/tovik2d2.h usr/include/t2d2/tovik2d2primitivas.h \
  usr/include/t2d2/tovikaudio2.h "$lib/libtovik2d2.a" \
  "$lib/cmake/Tovik2D2/Tovik2D2Config.cmake" "$lib/pkgconfig/tovik2d2.pc" \
  "$lib/cmake/Tovik2D2/Tovik2D2Navegador.cmake" usr/share/tovik2d2/web/pagina.cmake \
  usr/share/tovik2d2/src/tovik2d2_navegador.cpp
doc=usr/share/doc/libtovik2d2-dev
contem "$dev" $doc/guia.md $doc/html/index.html $doc/examples/CMakeLists.txt \
  $doc/examples/ola.cpp

if [ "$3" != 1 ] || [ "$4" != 1 ]; then
  echo "esta árvore não tem o jogo e o gerador de arquivos"; exit 77
fi
contem "$dev" $doc/examples/fonte16.png usr/share/tovik2d2/web/icone.png
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

# One version: the packages', and the release named by the metainfo, the
# manual page and the changelog.
versao=$(dpkg-deb -f "$jogo" Version)
[ "$(dpkg-deb -f "$dev" Version)" = "$versao" ] || falha "os pacotes têm versões diferentes"
dpkg-deb -x "$jogo" "$saida/jogo"
doc=$saida/jogo/usr/share
grep -qF "<release version=\"${versao%-*}\"" "$doc/metainfo/org.tovik.Trovasco.metainfo.xml" ||
  falha "a metainfo não traz a versão ${versao%-*}"
zcat "$doc/man/man6/trovasco.6.gz" | grep -q "^\.TH TROVASCO 6 .*\"Trovasco ${versao%-*}\"" ||
  falha "a página de manual não traz a versão ${versao%-*}"
zcat "$doc/doc/trovasco/changelog.Debian.gz" | head -1 | grep -qF "trovasco ($versao)" ||
  falha "o changelog.Debian não começa pela versão $versao"

[ "$(dpkg-deb -f "$jogo" Section)" = games ] || falha "seção não é games"
depende=$(dpkg-deb -f "$jogo" Depends)
# One package name a line, versions dropped.
nomes=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depende")
for pacote in libsdl1.2debian libsdl1.2-compat-shim libsdl-image1.2 \
              libsdl-mixer1.2 libgl1 libgl1-mesa-dri libstdc++6; do
  grep -qxF "$pacote" <<<"$nomes" || falha "Depends sem $pacote: $depende"
done
echo "pacotes: $(basename "$dev") $(basename "$jogo"), versão $versao; lintian sem erros nem avisos"
echo "Depends: $depende"
