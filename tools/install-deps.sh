#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# those that are missing. A second run finds nothing to do and prints nothing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libgl-dev libgl1-mesa-dri libegl1 libegl-mesa0
  libgtest-dev libbenchmark-dev
  libstb-dev libfreetype-dev fonts-dejavu-core libvorbis-dev
  xvfb xdotool imagemagick valgrind
  zlib1g-dev clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq >/dev/null
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
