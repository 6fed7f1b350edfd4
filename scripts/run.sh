#!/usr/bin/env bash
# The main job: builds the Windows executable and the demo distribution,
# installs the distribution into a Wine prefix and leaves the configuration
# tool on screen, keeping a screenshot of each step in build/screenshots.
# With a display of the user's the installer waits for the Install button;
# under Xvfb it presses it by itself (AutoRun) and everything is closed
# after its screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The demo ships the program users get: the 32-bit build.
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target QZ4Setup demo-distribution

had_display=${DISPLAY:-}
source scripts/xvfb.sh
ensure_display

# A 64-bit Windows, on which the 32-bit program runs as on most users' machines.
export WINEPREFIX="$PWD/build/demo-wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine
[ -x "$wine" ] || { echo "no 32-bit Wine ($wine); scripts/install-deps.sh installs it" >&2; exit 1; }
[ -f "$WINEPREFIX/system.reg" ] || {
  "$(command -v wine64 || echo /usr/lib/wine/wine64)" wineboot -i >/dev/null 2>&1
  wineserver -w
}

shots="$PWD/build/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
step=0

# The distribution as a teacher hands it out, in a folder of the prefix.
dist="$WINEPREFIX/drive_c/QZ4Dist"
rm -rf "$dist"
mkdir -p "$dist"
cp build/win32/demo/QZ4Complete.{exe,dat,ini} build/win32/demo/{readme,readme_en,license,license_en}.txt "$dist/"
[ -n "$had_display" ] || sed -i 's/^AutoRun=0/AutoRun=1/' "$dist/QZ4Complete.ini"

# Where the installer puts it: its default, Program Files (the 32-bit view's) \QZ4.
install_dir="$WINEPREFIX/drive_c/Program Files (x86)/QZ4"
[ -d "$WINEPREFIX/drive_c/Program Files (x86)" ] || install_dir="$WINEPREFIX/drive_c/Program Files/QZ4"
rm -rf "$install_dir"

# A few IDEs in the prefix, where detection looks for them (their executables
# are placeholders), so the configuration tool has environments to show.
seed_ides() {
  local c="$WINEPREFIX/drive_c" f
  for f in "Program Files (x86)/Dev-Cpp/devcpp.exe" "Program Files (x86)/Dev-Cpp/TDM-GCC-64/bin/g++.exe" \
           "Program Files (x86)/CodeBlocks/codeblocks.exe" \
           "Program Files/Microsoft VS Code/code.exe" "Program Files (x86)/PascalABC.NET/PascalABCNET.exe" \
           "Program Files/Microsoft Visual Studio/2022/Community/Common7/IDE/devenv.exe" \
           "Program Files/JetBrains/PyCharm Community Edition/bin/pycharm64.exe" \
           "Program Files/Microsoft MPI/bin/mpiexec.exe" \
           Python312/pythonw.exe Python312/Lib/idlelib/idle.pyw; do
    mkdir -p "$c/$(dirname "$f")"
    printf 'MZ' >"$c/$f"
  done
  mkdir -p "$c/Python312/include"
  printf '#define PY_VERSION "3.12.4"\r\n' >"$c/Python312/include/patchlevel.h"
  "$wine" reg add 'HKCU\Software\PascalABC.NET' /v "Install Directory" \
    /d 'C:\Program Files (x86)\PascalABC.NET' /f >/dev/null 2>&1
}
seed_ides

# Waits for a window by its title; prints its id.
wait_window() { # title seconds
  local id=""
  for _ in $(seq 1 $(($2 * 5))); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] && echo "$id"
}
shot() { # name
  step=$((step + 1))
  sleep 1
  import -window root "$shots/$(printf %02d "$step")-$1.png"
  echo "screenshot $shots/$(printf %02d "$step")-$1.png"
}
# Closes a window with Esc and waits for its program to end; a program that
# keeps its window is ended with the prefix's other programs.
close_window() { # id
  xdotool key --window "$1" Escape 2>/dev/null || true
  for _ in $(seq 1 50); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || { wineserver -w; return; }
    sleep 0.2
  done
  echo "a window did not close on Esc; ending the programs" >&2
  wineserver -k
}
start() { # folder exe [arguments]
  local folder=$1
  shift
  (cd "$folder" && "$wine" "$@" >/dev/null 2>&1 &)
}

start "$dist" QZ4Complete.exe
id=$(wait_window "QZ4Complete Install" 30) || { echo "the installer did not show its window" >&2; exit 1; }
shot installer
if [ -n "$had_display" ]; then
  echo "The installer is running on $DISPLAY: press Install to go on."
  exit 0
fi

# AutoRun has pressed Install. The installer ends with its final message and
# starts the configuration tool.
installed=
for _ in $(seq 1 150); do
  [ -f "$install_dir/UNINST/qz4.log" ] && { installed=yes; break; }
  sleep 0.2
done
if [ -z "$installed" ]; then
  shot installer-stopped
  echo "the installer wrote no uninstall record in $install_dir" >&2
  exit 1
fi
if id=$(wait_window "Information" 60); then
  shot final-message
  xdotool key --window "$id" Return
fi
id=$(wait_window "QZ4 Setup" 60) || { echo "the configuration tool did not start" >&2; exit 1; }
shot configuration-tool
close_window "$id"

# The stand-in runtime programs, as the program group's shortcuts start them.
for program in QZ4Demo QZ4Load QZ4Res QZ4Panel; do
  start "$install_dir" "$program.exe"
  case $program in
    QZ4Demo) title="QZ4 Demo" ;; QZ4Load) title="QZ4 Load" ;;
    QZ4Res) title="QZ4 Results" ;; QZ4Panel) title="QZ4 Panel" ;;
  esac
  id=$(wait_window "$title" 30) || { echo "$program did not show its window" >&2; exit 1; }
  shot "$program"
  close_window "$id"
done
echo "Installed in $install_dir; screenshots in $shots."
