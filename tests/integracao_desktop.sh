#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators.
# Usage: integracao_desktop.sh <desktop entry> <metainfo>
set -euo pipefail
command -v desktop-file-validate >/dev/null || { echo "falta desktop-file-validate"; exit 77; }
command -v appstreamcli >/dev/null || { echo "falta appstreamcli"; exit 77; }
desktop-file-validate "$1"
appstreamcli validate --no-net "$2"
