#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators.
# Usage: integracao_desktop.sh <folder with the two files>
set -euo pipefail
pasta=$1
command -v desktop-file-validate >/dev/null || { echo "falta desktop-file-validate"; exit 77; }
command -v appstreamcli >/dev/null || { echo "falta appstreamcli"; exit 77; }
desktop-file-validate "$pasta/org.tovik.Trovasco.desktop"
appstreamcli validate --no-net "$pasta/org.tovik.Trovasco.metainfo.xml"
