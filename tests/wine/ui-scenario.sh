#!/usr/bin/env bash
# Runs one UI scenario against the Windows build under Wine, on a display of
# its own, and keeps a screenshot of every window it visits.
#   ui-scenario.sh <scenario script> <tests/wine binary folder> <artefact folder>
# The scenario is a bash script sourced here; it uses the functions below.
# A build's UI scenarios share one Wine prefix (QZ4_UI_WINEPREFIX) and run one
# at a time; the two builds' scenarios may run side by side.
set -euo pipefail
# A command that fails without a word of its own (a program that crashed
# under Wine, say) still says where the scenario stopped.
trap 'echo "FAILED: status $? at line $LINENO: $BASH_COMMAND" >&2' ERR
scenario=$1
QZ4_BIN=$2
ARTEFACTS=$3
: "${QZ4_UI_WINEPREFIX:?QZ4_UI_WINEPREFIX must name the Wine prefix of the UI scenarios}"
export WINEPREFIX=$QZ4_UI_WINEPREFIX
# shellcheck source=wine-env.sh
source "$(dirname "$0")/wine-env.sh"
WINE=$QZ4_WINE

rm -rf "$ARTEFACTS"
mkdir -p "$ARTEFACTS/work"
WORK=$ARTEFACTS/work
shots=0
program=

# A display of our own: Xvfb picks a free number itself and names it once it
# listens, so scenarios running side by side never take the same one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ARTEFACTS/xvfb-display" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$ARTEFACTS/xvfb-display" ] && break; sleep 0.1; done
display=$(cat "$ARTEFACTS/xvfb-display")
[ -n "$display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

# There is no window manager: Wine draws the window frames itself and manages
# the windows itself (a managed window that closes waits two seconds for a
# window manager that never answers).
unmanaged_windows() {
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
ensure_prefix unmanaged_windows

fail() { echo "FAILED: $*" >&2; exit 1; }

# The UI driver (see tests/wine/driver); its output without carriage returns.
drv() { "$WINE" "$QZ4_BIN/driver/qz4_ui_driver.exe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Starts a Windows program in the work folder; `finish` waits for it. Wine
# takes the system's languages and code pages from the locale, which a
# scenario chooses with UI_LOCALE (for example ru_RU.UTF-8).
UI_LOCALE=
start() {
  (cd "$WORK" && exec env ${UI_LOCALE:+LANG=$UI_LOCALE LC_ALL=$UI_LOCALE} "$WINE" "$@") &
  program=$!
}
# The window host: host <language> <window> [arguments].
host() { start "$QZ4_BIN/ui_host/qz4_ui_host.exe" "$@"; }

# The configuration tool's folder $WORK/prog: the tool, empty stand-ins of the
# problem book's programs and one environment's modules.
program_folder() {
  prog=$WORK/prog
  mkdir -p "$prog/PASCALABC1"
  cp "$QZ4_BIN/../../src/app/win32/QZ4Setup.exe" "$prog/QZ4Setup.exe"
  for tool in QZ4Demo QZ4Load QZ4Res QZ4Panel; do : >"$prog/$tool.exe"; done
  : >"$prog/PASCALABC1/qz4.pas"
  : >"$prog/PASCALABC1/loadpabc.dat"
}

# The password distributions are encrypted with, as the installer has it.
distribution_password() {
  local password
  password=$(sed -n 's/.*DistributionPassword\[\] = "\([0-9]*\)".*/\1/p' \
    "$(dirname "${BASH_SOURCE[0]}")/../../src/installer/DistributionPassword.h")
  [ -n "$password" ] || fail "no distribution password"
  echo "$password"
}

# Waits for the program's end and checks its exit code.
finish() {
  local code=0
  wait "$program" || code=$?
  [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Whether a program of this scenario's prefix whose command line matches a
# pattern still runs (the other build's scenarios may run the same programs).
running() {
  local pid
  for pid in $(pgrep -fi "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# A line the host wrote about its window's outcome.
expect_result() { grep -qxF "$1" "$WORK/ui_host_result.txt" || fail "no result line \"$1\""; }

# Screenshot of a window (found by class) into the artefacts: shot <name> <class>.
shot() {
  local geometry
  geometry=$(drv rect "$2")
  shots=$((shots + 1))
  import -window root -crop "$geometry" "$ARTEFACTS/$(printf %02d "$shots")-$1.png"
}

# A library planted beside a program under WinInet's name, as a downloads
# folder may hold one; it leaves "planted-library.loaded" beside itself if
# anything loads it.
# Wine would take its own WinInet wherever a search led; from here on it
# takes the file the search finds, as Windows does.
plant_library() {
  cp "$QZ4_BIN/planted_library/wininet.dll" "$1/wininet.dll"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wininet=n,b"
}
expect_planted_library_unused() {
  [ -f "$1/wininet.dll" ] || fail "no planted library in $1"
  [ ! -e "$1/planted-library.loaded" ] || fail "the library planted in $1 was loaded"
}

# The Windows form of a path in the work folder.
winpath() { printf 'Z:%s' "$(printf %s "$WORK/$1" | tr / '\\')"; }

# A key pressed on the keyboard: realkey <class> <key> gives that window the
# X input focus and presses the key through the X server (xdotool key names:
# F10, Escape, alt+F4), so the program gets what a keyboard sends, system
# keys included, not posted messages.
realkey() {
  local id
  id=$(drv x-window "$1") || fail "no X window for $1"
  xdotool windowfocus --sync "$id" key --clearmodifiers "$2" || fail "xdotool key $2"
}

# The focus comes back to a window a moment after a dialog over it closes;
# keys sent before that would go to the closed dialog.
wait_focus() {
  for _ in $(seq 50); do
    [ "$(drv get "$1" "$2" focused)" = true ] && return 0
    sleep 0.1
  done
  fail "$2 of $1 never got the focus back"
}

# shellcheck source=/dev/null
source "$scenario"
echo "scenario passed; screenshots in $ARTEFACTS"
