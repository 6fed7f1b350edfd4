#!/usr/bin/env bash
# Times installations under Wine: a small distribution like the demo and a
# large one, beside the time Wine takes to start and end a program that does
# nothing. Prints the figures; fails on no time.
#   install-bench.sh <win64 build folder> [large size in MB, default 140]
set -euo pipefail
build=$(cd "$1" && pwd)
export QZ4_BENCH_MB=${2:-140}
export QZ4_UI_WINEPREFIX=$build/wineprefix-bench
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../tests/wine/ui-scenario.sh" "$here/timing.sh" "$build/tests/wine" \
  "$build/bench/install"
