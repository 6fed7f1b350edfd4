#!/usr/bin/env bash
# Runs a Windows program of the build under test in the run's shared prefix
# (QZ4_WINEPREFIX), which the first caller creates.
set -euo pipefail
: "${QZ4_WINEPREFIX:?QZ4_WINEPREFIX must name the shared Wine prefix}"
export WINEPREFIX="$QZ4_WINEPREFIX"
# shellcheck source=wine-env.sh
source "$(dirname "$0")/wine-env.sh"
ensure_prefix true
exec "$QZ4_WINE" "$@"
