#!/usr/bin/env bash
# Builds every configuration and runs every test: native unit tests, the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, and both Windows builds
# under Wine (with Xvfb when there is no display): x86, the program users get,
# and x64. Ends with CTest's summary over all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
for preset in native native-asan win64 win32; do
  echo "=== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# One CTest run over the four test trees, so its summary covers them all; the
# two Windows builds' Wine tests run side by side, each build in its own prefix.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "native-asan" "win64" "win32")
CTEST

source scripts/xvfb.sh
ensure_display
status=0
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 900 || status=$?
exit $status
