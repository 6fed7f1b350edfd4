# Sourced by ui-scenario.sh for install-bench.sh: unattended installations of
# the same files by the QZ4 installer (/VERYSILENT) and by an NSIS installer
# (zlib, silent, 64-bit), each timed from the start of its process to its
# end, best of three, for a distribution with nothing but the uninstaller,
# one the size of the demo and a large one.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
password=$(distribution_password)
drive_c=$WINEPREFIX/drive_c
command -v makensis >/dev/null || fail "makensis is not installed (scripts/install-deps.sh)"

seconds() { # seconds <expected exit code> <program> [arguments]: the run's wall time
  local code=$1 from
  shift
  from=$(date +%s.%N)
  start "$@"
  finish "$code"
  echo "$(date +%s.%N) - $from" | bc
}

# The best of three installations into an empty folder:
# best <folder> <program> [arguments].
best() {
  local folder=$1 time fastest=
  shift
  for _ in 1 2 3; do
    rm -rf "${drive_c:?}/$folder"
    time=$(seconds 0 "$@")
    [ -n "$(ls -A "$drive_c/$folder" 2>/dev/null)" ] || fail "$1 installed nothing"
    if [ -z "$fastest" ] || [ "$(echo "$time < $fastest" | bc)" = 1 ]; then fastest=$time; fi
  done
  rm -rf "${drive_c:?}/$folder"
  echo "$fastest"
}

# The two installers of the given files (name:size in KB, random contents,
# and the uninstaller the QZ4 shortcuts start); prints what they hold.
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
  printf '[Main]\r\nInstallDir=C:\\QZ4Bench\r\n' \
    >"$WORK/$name/setup.ini"
  cat >"$WORK/$name/nsis.nsi" <<NSI
Unicode true
Target amd64-unicode
SetCompressor zlib
RequestExecutionLevel user
SilentInstall silent
Name "Bench"
OutFile "$WORK/$name/nsis-setup.exe"
InstallDir "C:\\NsisBench"
Section
  SetOutPath "\$INSTDIR"
  File /r "$src/*"
SectionEnd
NSI
  makensis -V1 "$WORK/$name/nsis.nsi" >/dev/null || fail "makensis failed"
  rm -rf "$src"
  echo "$(du -k "$WORK/$name/setup.dat" | cut -f1) KB in $# files"
}

empty=$(seconds 2 "$QZ4_BIN/driver/qz4_ui_driver.exe" nothing)
printf 'empty program under Wine: %.2f s\n\n' "$empty"
printf '%-38s %8s %8s %7s\n' distribution QZ4 NSIS ratio
large_files=()
for i in $(seq "$QZ4_BENCH_MB"); do large_files+=("LIB/part$i.bin:1024"); done
for size in uninstaller demo large; do
  case $size in
    uninstaller) holds=$(distribution "$size") ;;
    demo) holds=$(distribution "$size" QZ4Demo.exe:600 QZ4Load.exe:500 QZ4Res.exe:400 \
      QZ4Panel.exe:700 readme.txt:8 readme_en.txt:8 LIB/qz4.dll:900 LIB/core.dat:300) ;;
    large) holds=$(distribution "$size" "${large_files[@]}") ;;
  esac
  # Unattended, as the NSIS installer runs.
  qz4=$(best QZ4Bench "$WORK/$size/setup.exe" /VERYSILENT /NOLAUNCH)
  nsis=$(best NsisBench "$WORK/$size/nsis-setup.exe")
  printf '%-38s %7.2fs %7.2fs %6.2fx\n' "$size ($holds)" "$qz4" "$nsis" "$(echo "$qz4 / $nsis" | bc -l)"
done
printf '\nratio: the QZ4 installer'"'"'s time over the NSIS installer'"'"'s, each with its process start\n'
