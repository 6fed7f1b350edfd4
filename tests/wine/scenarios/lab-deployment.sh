# A lab computer set up from a script: a very silent installation with a
# log and no window at all, the uninstall entry in the registry, the tool's
# windowless configuration, a silent reinstallation over a locked file, a
# quiet removal, and a damaged archive that leaves nothing.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
password=$(distribution_password)
drive_c=$WINEPREFIX/drive_c
target=$drive_c/Lab\ QZ4
logs=$drive_c/LabLogs
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quazzle 4'

src=$WORK/src
dist=$WORK/dist
mkdir -p "$src/LIB" "$src/SYSTEM" "$src/PASCALABC1" "$dist"
for program in QZ4Demo QZ4Load QZ4Res; do
  printf 'stand-in %s\r\n' "$program" >"$src/$program.exe"
done
# The panel is a real program, so that it can be running and hold its file.
cp "$QZ4_BIN/ui_host/qz4_ui_host.exe" "$src/QZ4Panel.exe"
printf 'core\r\n' >"$src/LIB/core.dll"
cp "$QZ4_BIN"/../../demo/uninstaller/sysunima.exe "$src/SYSTEM/"
printf 'unit QZ4;\r\n' >"$src/PASCALABC1/qz4.pas"
: >"$src/PASCALABC1/loadpabc.dat"
(cd "$src" && zip -qrD -P "$password" "$dist/QZ4Lab.dat" .)
cp "$exe" "$dist/QZ4Lab.exe"
rm -rf "$target" "$drive_c/LabBad" "$logs"
"$WINE" reg delete "$key" /reg:32 /f >/dev/null 2>&1 || true

# Every window that X shows while the program runs: there must be none.
watch_windows() {
  while kill -0 "$program" 2>/dev/null; do
    xdotool search --onlyvisible --name '.' 2>/dev/null || true
    sleep 0.1
  done | sort -u >"$WORK/windows.txt"
}
count_lines() { grep -ac "$1" "$2" || true; }

# An English system (code page 1252) whose Unix side passes Cyrillic names on.
UI_LOCALE=C.UTF-8
start "$dist/QZ4Lab.exe" /VERYSILENT '/DIR=C:\Lab QZ4' -log='C:\LabLogs\установка.log' /nolaunch /AllUsers
watch_windows
finish 0
[ ! -s "$WORK/windows.txt" ] || fail "windows appeared: $(cat "$WORK/windows.txt")"
log=$logs/установка.log
cp "$log" "$ARTEFACTS/install.log"
for file in QZ4Demo.exe QZ4Load.exe QZ4Res.exe QZ4Panel.exe 'LIB\core.dll' 'PASCALABC1\qz4.pas' \
  'PASCALABC1\loadpabc.dat' QZ4Setup.exe; do
  grep -qaxF "placed: C:\\Lab QZ4\\$file"$'\r' "$log" || fail "the log lacks $file"
done
grep -qaiF 'placed: C:\windows\syswow64\sysunima.exe' "$log" || fail "the log lacks the uninstaller"
# For all users: the group in the common Start menu (Wine runs as an administrator).
common=$(tr -d '\r' <"$log" | sed -n 's/^link: \(.*ProgramData.*\)\\QZ4 Demo\.lnk$/\1/p')
[ -n "$common" ] || fail "the group is not in the common folders"
common_unix=$drive_c/${common#C:\\}
common_unix=${common_unix//\\//}
[ -d "$common_unix" ] || fail "no common group $common_unix"
grep -qaxF $'outcome: 0 (installed)\r' "$log" || fail "the log lacks the outcome"
[ -f "$target/QZ4Demo.exe" ] || fail "not installed"
entry=$("$WINE" reg query "$key" /reg:32 | tr -d '\r')
echo "$entry"
grep -qF 'C:\Lab QZ4' <<<"$entry" || fail "no install location in the entry"
grep -qiF 'sysunima.exe" /S "C:\Lab QZ4\UNINST\qz4.log"' <<<"$entry" || fail "no quiet uninstall"

# The configuration tool without its window writes QZ.INI with the environment.
start 'C:\Lab QZ4\QZ4Setup.exe' -AUTO '-LOG=C:\LabLogs\configure.log'
watch_windows
finish 0
[ ! -s "$WORK/windows.txt" ] || fail "the tool showed windows: $(cat "$WORK/windows.txt")"
cp "$logs/configure.log" "$ARTEFACTS/"
grep -qaF 'outcome: 0 (configured)' "$logs/configure.log" || fail "the tool's log"
grep -qai 'PASCALABC' "$target/QZ.INI" || fail "QZ.INI lacks the environment"

# Silently again while the panel runs: its file is retried, then left and
# listed; the status says "with problems".
start 'C:\Lab QZ4\QZ4Panel.exe' en TGalleryForm
panel=$program
drv wait-window TGalleryForm
start "$dist/QZ4Lab.exe" /SILENT '/DIR=C:\Lab QZ4' '/LOG=C:\LabLogs\again.log' /NOLAUNCH /LANG=en
drv wait-window TInstF3 30
shot progress TInstF3
# The window watch above sees a window when there is one.
[ -n "$(xdotool search --onlyvisible --name '.' 2>/dev/null || true)" ] ||
  fail "the window watch sees no window"
finish 3
cp "$logs/again.log" "$ARTEFACTS/"
grep -qaF 'problem: not updated: "C:\Lab QZ4\QZ4Panel.exe"' "$logs/again.log" ||
  fail "the locked file is not reported"
[ "$(count_lines 'Could not update the "C:\\Lab QZ4\\QZ4Panel.exe" file' "$logs/again.log")" -eq 2 ] ||
  fail "the locked-file question is not logged with its answers"
drv key TGalleryForm Alt+F4
program=$panel
finish 2

# The quiet removal: everything the record names and the entry go.
start 'C:\windows\syswow64\sysunima.exe' /S 'C:\Lab QZ4\UNINST\qz4.log'
watch_windows
finish 0
[ ! -s "$WORK/windows.txt" ] || fail "the uninstaller showed windows: $(cat "$WORK/windows.txt")"
left=$(cd "$drive_c" && find 'Lab QZ4' -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "Lab QZ4/LIB Lab QZ4/QZ.INI " ] || [ "$left" = "Lab QZ4/QZ.INI " ] ||
  fail "the uninstaller left $left"
if "$WINE" reg query "$key" /reg:32 >/dev/null 2>&1; then fail "the entry stays"; fi
[ ! -e "$common_unix" ] || fail "the common program group stays"

# A damaged archive: status 2, nothing left, and the log says why.
head -c 600 "$dist/QZ4Lab.dat" >"$WORK/cut.dat"
mv "$WORK/cut.dat" "$dist/QZ4Lab.dat"
start "$dist/QZ4Lab.exe" /VERYSILENT /DIR=C:\\LabBad /LOG=C:\\LabLogs\\bad.log
watch_windows
finish 2
[ ! -s "$WORK/windows.txt" ] || fail "windows appeared: $(cat "$WORK/windows.txt")"
[ ! -e "$drive_c/LabBad" ] || fail "the failed installation left $(cd "$drive_c" && find LabBad)"
cp "$logs/bad.log" "$ARTEFACTS/"
grep -qaF 'error: Data-copy error.' "$logs/bad.log" || fail "the log does not say why"
grep -qaxF $'outcome: 2 (failed, rolled back)\r' "$logs/bad.log" || fail "the log's outcome"
