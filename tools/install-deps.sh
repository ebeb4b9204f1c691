#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# those that are missing. A second run finds nothing to do and prints nothing.
#
#   bash tools/install-deps.sh       # the desktop build and its tests
#   bash tools/install-deps.sh web   # the browser build and its tests in the
#                                    # three engines, with puppeteer-core from
#                                    # tests/web's lock file
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = web ]; then
  # Emscripten with its emulation of SDL 1.2 and OpenGL, and the engines the
  # tests drive: Chromium; Firefox ESR and WebKitGTK (WebKitWebDriver with its
  # MiniBrowser) in windows on Xvfb; PulseAudio for the null sink without
  # which Firefox never starts a sound. Node comes with Emscripten; npm
  # unless a node with it is here.
  packages=(emscripten chromium firefox-esr webkit2gtk-driver pulseaudio xvfb)
  command -v npm >/dev/null || packages+=(npm)
else
  packages=(
    cmake g++ make pkg-config
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
    libgl-dev libgl1-mesa-dri libegl1 libegl-mesa0
    libgtest-dev libbenchmark-dev
    libstb-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libmp3lame-dev
    xvfb xdotool imagemagick valgrind
    zlib1g-dev clang libclang-rt-14-dev
    desktop-file-utils appstream dpkg-dev file lintian doxygen
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq >/dev/null
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The npm packages exactly as locked, again only when the lock file changed.
if [ "${1:-}" = web ]; then
  modulos=tests/web/node_modules
  if ! cmp -s tests/web/package-lock.json "$modulos/.lock-instalado"; then
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    cp tests/web/package-lock.json "$modulos/.lock-instalado"
  fi
fi
