#!/usr/bin/env bash
# Times installations under Wine, the QZ4 installer beside an NSIS installer
# of the same files, from a distribution with nothing but the uninstaller to a
# large one. Prints the figures and their ratios; fails on no time.
#   install-bench.sh <Windows build folder (build/win32 or build/win64)> [large size in MB, default 140]
set -euo pipefail
build=$(cd "$1" && pwd)
if grep -q '^CMAKE_TOOLCHAIN_FILE.*mingw-i686' "$build/CMakeCache.txt"; then
  export QZ4_WINE_ARCH=x86
else
  export QZ4_WINE_ARCH=x64
fi
export QZ4_BENCH_MB=${2:-140}
export QZ4_UI_WINEPREFIX=$build/wineprefix-bench
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../tests/wine/ui-scenario.sh" "$here/timing.sh" "$build/tests/wine" \
  "$build/bench/install"
