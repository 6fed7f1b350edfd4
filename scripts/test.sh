#!/usr/bin/env bash
# Builds every configuration and runs every test: native unit tests, the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows x64
# build under Wine (with Xvfb when there is no display). The x86 Windows build
# must link too. Ends with CTest's summary over all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
for preset in native native-asan win64 win32; do
  echo "=== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# One CTest run over the three test trees, so its summary covers them all.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "native-asan" "win64")
CTEST

source scripts/xvfb.sh
ensure_display
status=0
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 900 || status=$?
exit $status
