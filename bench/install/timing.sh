# Sourced by ui-scenario.sh for install-bench.sh: unattended installations,
# timed from the start of the process to its end.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
repo=$(cd "$(dirname "$scenario")/../.." && pwd)
password=$(sed -n 's/.*DistributionPassword\[\] = "\([0-9]*\)".*/\1/p' \
  "$repo/src/installer/DistributionPassword.h")
drive_c=$WINEPREFIX/drive_c

seconds() { # seconds <expected exit code> <program> [arguments]: the run's wall time
  local code=$1 from
  shift
  from=$(date +%s.%N)
  start "$@"
  finish "$code"
  echo "$(date +%s.%N) - $from" | bc
}

# A distribution of the given files (name:size in KB) with random contents,
# and the uninstaller its shortcuts start.
distribution() {
  local name=$1 src=$WORK/src-$1 entry
  shift
  set -- "$@" SYSTEM/sysunima.exe:100
  mkdir -p "$src/LIB" "$src/SYSTEM" "$WORK/$name"
  for entry in "$@"; do
    head -c "$((${entry#*:} * 1024))" /dev/urandom >"$src/${entry%%:*}"
  done
  (cd "$src" && zip -qrD -P "$password" "$WORK/$name/setup.dat" .)
  cp "$exe" "$WORK/$name/setup.exe"
  printf '[Main]\r\nInstallDir=C:\\QZ4Bench\r\nAutoRun=1\r\nFinalMessage=0\r\n[Setup]\r\nRun=0\r\n' \
    >"$WORK/$name/setup.ini"
  echo "$(du -k "$WORK/$name/setup.dat" | cut -f1) KB in $# files"
}

empty=$(seconds 2 "$QZ4_BIN/driver/qz4_ui_driver.exe" nothing)
small=$(distribution demo QZ4Demo.exe:600 QZ4Load.exe:500 QZ4Res.exe:400 QZ4Panel.exe:700 \
  readme.txt:8 readme_en.txt:8 LIB/qz4.dll:900 LIB/core.dat:300)
rm -rf "$drive_c/QZ4Bench"
demo=$(seconds 0 "$WORK/demo/setup.exe")
files=()
for i in $(seq "$QZ4_BENCH_MB"); do files+=("LIB/part$i.bin:1024"); done
large=$(distribution large "${files[@]}")
rm -rf "$drive_c/QZ4Bench"
big=$(seconds 0 "$WORK/large/setup.exe")
[ -f "$drive_c/QZ4Bench/LIB/part$QZ4_BENCH_MB.bin" ] || fail "the large distribution was not installed"
rm -rf "$drive_c/QZ4Bench" "$WORK"/src-*

printf 'empty program under Wine:          %6.2f s\n' "$empty"
printf 'demo-sized distribution (%s): %6.2f s\n' "$small" "$demo"
printf 'large distribution (%s):   %6.2f s\n' "$large" "$big"
