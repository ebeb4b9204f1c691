#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the examples against
# that prefix alone, once through find_package and once through pkg-config;
# the installed guide's programs are built through pkg-config as well.
# Each build of each example then runs headless until it is ready, then gets
# SIGTERM, which SDL turns into the window's close request: it must quit
# through its own loop and shut down.
# Usage: instalacao.sh <build folder> <source folder>
set -euo pipefail
construcao=$1
fontes=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefixo=$tmp/prefixo

falha() { echo "FALHOU: $*" >&2; exit 1; }

cmake --install "$construcao" --prefix "$prefixo" >/dev/null
for f in include/t2d2/tovik2d2.h include/t2d2/tovik2d2primitivas.h \
         include/t2d2/tovikaudio2.h; do
  [ -f "$prefixo/$f" ] || falha "$f não foi instalado"
done
arquivo_lib=$(find "$prefixo" -name libtovik2d2.a -print -quit)
[ -n "$arquivo_lib" ] || falha "libtovik2d2.a não foi instalada"
libdir=$(dirname "$arquivo_lib")
[ -f "$libdir/pkgconfig/tovik2d2.pc" ] || falha "tovik2d2.pc não está em $libdir/pkgconfig"
[ -f "$libdir/cmake/Tovik2D2/Tovik2D2Config.cmake" ] || falha "pacote CMake ausente"
# The browser's library and page, built by a game's own Emscripten build.
navegador=$prefixo/share/tovik2d2
for f in "$libdir/cmake/Tovik2D2/Tovik2D2Navegador.cmake" \
         "$navegador/src/tovik2d2_navegador.cpp" "$navegador/src/tovik2d2_interno.h" \
         "$navegador/web/pagina.cmake" "$navegador/web/plataforma.cmake" \
         "$navegador/web/tovik2d2_navegador.js" "$navegador/web/icone.png"; do
  [ -f "$f" ] || falha "$f não foi instalado"
done
doc=$prefixo/share/doc/libtovik2d2-dev
for f in guia.md resumo.md html/index.html examples/CMakeLists.txt \
         examples/ola.cpp examples/pulo_toque.json examples/recursos.cpp \
         examples/fonte16.png; do
  [ -f "$doc/$f" ] || falha "$f não foi instalado em $doc"
done
# Nothing installed may point back at the build or source trees.
if grep -rlF -e "$(realpath "$construcao")" -e "$(realpath "$fontes")" \
     "$libdir/cmake" "$libdir/pkgconfig" "$navegador"; then
  falha "arquivos instalados citam a árvore de construção"
fi

# find_package: the registry and the system prefixes are kept out so that only
# the temporary prefix can answer.
cmake -S "$fontes/examples" -B "$tmp/ola-cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefixo" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
  >"$tmp/cmake.log" || { cat "$tmp/cmake.log"; falha "configurar o exemplo"; }
achado=$(sed -n 's/^Tovik2D2_DIR:PATH=//p' "$tmp/ola-cmake/CMakeCache.txt")
[ "$achado" = "$libdir/cmake/Tovik2D2" ] || falha "find_package achou $achado"
cmake --build "$tmp/ola-cmake" -j2 >"$tmp/build.log" ||
  { cat "$tmp/build.log"; falha "construir o exemplo com find_package"; }

# pkg-config: a static library, so its dependencies come with --static.
export PKG_CONFIG_PATH=$libdir/pkgconfig
read -r -a flags <<<"$(pkg-config --cflags --libs --static tovik2d2)"
for exemplo in ola cesta pulo; do
  g++ -std=c++17 -o "$tmp/$exemplo-pc" "$fontes/examples/$exemplo.cpp" \
    "${flags[@]}" || falha "construir $exemplo com pkg-config"
done
# Each step of the guide is a whole program, as a reader copies it.
mkdir "$tmp/guia"
awk -v pasta="$tmp/guia" '/^```cpp$/ { n++; dentro = 1; next }
  /^```$/ { dentro = 0; next }
  dentro { print > (pasta "/passo" n ".cpp") }' "$doc/guia.md"
[ -f "$tmp/guia/passo1.cpp" ] || falha "o guia instalado não tem programas"
for passo in "$tmp"/guia/passo*.cpp; do
  g++ -std=c++17 -Wall -Wextra -Werror -o "${passo%.cpp}" "$passo" "${flags[@]}" ||
    falha "o programa $(basename "$passo") do guia não compila"
done

# Both programs run in the folder where the CMake build drew the resources,
# with their output line-buffered so that the ready line can be waited for;
# SIGTERM only then, once SDL is there to turn it into the close request.
source "$fontes/tests/relogio.sh"
roda() {
  local programa=$1 nome=$2 saida=$tmp/saida.txt status=0
  (cd "$tmp/ola-cmake" && exec stdbuf -oL "$programa") >"$saida" 2>&1 &
  local pid=$!
  pronto() { grep -qxF "$nome: pronto." "$saida" || terminou $pid; }
  ate 60 pronto || { cat "$saida"; kill -KILL $pid; falha "$programa não ficou pronto em 60 s"; }
  kill -TERM $pid 2>/dev/null || true
  ate 60 terminou $pid || { kill -KILL $pid; falha "$programa não terminou em 60 s"; }
  wait $pid || status=$?
  [ "$status" -eq 0 ] || { cat "$saida"; falha "$programa terminou com $status"; }
  for linha in "$nome: pronto." "Encerrou a SDL+OpenGL" "$nome: fim."; do
    grep -qxF "$linha" "$saida" || { cat "$saida"; falha "$programa não escreveu \"$linha\""; }
  done
  if grep -q "falhou\|Erro" "$saida"; then
    cat "$saida"; falha "$programa relatou um erro"
  fi
}
roda "$tmp/ola-cmake/ola" Ola
roda "$tmp/ola-pc" Ola
roda "$tmp/ola-cmake/cesta" Cesta
roda "$tmp/cesta-pc" Cesta
roda "$tmp/ola-cmake/pulo" Pulo
roda "$tmp/pulo-pc" Pulo
echo "instalação: find_package e pkg-config construíram e rodaram os exemplos"
