#!/usr/bin/env bash
# Runs a Windows program under wine64 in the test run's shared prefix.
# WINEPREFIX defaults to the build tree's prefix; the first caller creates it
# (under a lock, since CTest may start several tests at once).
set -euo pipefail
: "${QZ4_WINEPREFIX:?QZ4_WINEPREFIX must name the shared Wine prefix}"
export WINEPREFIX="$QZ4_WINEPREFIX" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
# Debian installs the 64-bit loader outside PATH.
QZ4_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$QZ4_WINE" "$@"
