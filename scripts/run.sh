#!/usr/bin/env bash
# The main job: builds the Windows executable and runs it under Wine in both
# roles, keeping a screenshot of each window in build/screenshots. With a real
# display the configuration tool is left running; under Xvfb it is closed
# after its screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target QZ4Setup

had_display=${DISPLAY:-}
source scripts/xvfb.sh
ensure_display

export WINEPREFIX="$PWD/build/demo-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }

shots="$PWD/build/screenshots"
mkdir -p "$shots"
stage="$WINEPREFIX/drive_c/QZ4Demo"
mkdir -p "$stage"
cp build/win64/src/app/win32/QZ4Setup.exe "$stage/QZ4Setup.exe"
cp build/win64/src/app/win32/QZ4Setup.exe "$stage/QZ4Complete.exe"

# Starts a program, waits for its window by title and saves a screenshot.
show() { # exe title shot
  (cd "$stage" && "$wine" "$1" -len >/dev/null 2>&1 &)
  local id=""
  for _ in $(seq 1 100); do
    id=$(xdotool search --name "^$2\$" 2>/dev/null | head -n1) && [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "no window \"$2\" from $1" >&2; return 1; }
  sleep 1
  import -window root "$shots/$3.png"
  echo "$2: screenshot $shots/$3.png"
  WINDOW_ID=$id
}

show QZ4Complete.exe "QZ4Complete Install" installer
xdotool key --window "$WINDOW_ID" Escape
show QZ4Setup.exe "QZ4 Setup" configuration-tool
if [ -n "$had_display" ]; then
  echo "The configuration tool is running on $DISPLAY."
else
  xdotool key --window "$WINDOW_ID" Escape
  wineserver -w
fi
