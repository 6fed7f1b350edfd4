# The installer's whole road under Wine: a distribution made with the shared
# password, the language dialog of a Russian system, the wizard, the files in
# place, the shortcuts resolving, the uninstall record, and the configuration
# tool started in the chosen language. Then a second, unattended installation
# that merges the record, and a damaged archive that leaves nothing behind.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
password=$(distribution_password)
drive_c=$WINEPREFIX/drive_c
# The configuration tool's process outlives its window for a moment; while it
# runs, its file cannot be replaced.
tool_ended() {
  for _ in $(seq 150); do
    running 'QZ4Test.qz4setup\.exe' || return 0
    sleep 0.2
  done
  fail "the configuration tool does not end"
}

# A small distribution: stand-in programs, a library, a sample folder that
# the ini file excludes, and a stand-in uninstaller for the system folder.
src=$WORK/src
dist=$WORK/dist
mkdir -p "$src/LIB" "$src/SAMPLES" "$src/SYSTEM" "$dist"
for program in QZ4Demo QZ4Load QZ4Res QZ4Panel; do
  printf 'stand-in %s\r\n' "$program" >"$src/$program.exe"
done
printf 'Задачник Quazzle.\r\n' >"$src/readme.txt"
printf 'The Quazzle problem book.\r\n' >"$src/readme_en.txt"
printf 'core\r\n' >"$src/LIB/core.dll"
printf 'program Sample;\r\n' >"$src/SAMPLES/one.pas"
printf 'stand-in uninstaller\r\n' >"$src/SYSTEM/sysunima.exe"
# One environment's modules, so that the configuration tool has something to show.
mkdir -p "$src/PASCALABC1"
printf 'unit QZ4;\r\n' >"$src/PASCALABC1/qz4.pas"
: >"$src/PASCALABC1/loadpabc.dat"
(cd "$src" && zip -qrD -P "$password" "$dist/QZ4Complete.dat" .)
cp "$exe" "$dist/QZ4Complete.exe"
plant_library "$dist"
cp "$src/readme.txt" "$dist/readme.txt"
printf 'Лицензия.\r\n' >"$dist/license.txt"
printf '[ExcludeDir]\r\n1=samples\r\n' >"$dist/QZ4Complete.ini"
rm -rf "$drive_c/QZ4Test" "$drive_c/QZ4Bad"
# Links of an earlier installation in this prefix would be kept as they are.
rm -rf "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/"Quazzle 4" \
  "$drive_c"/users/*/Desktop/"QZ4 "*.lnk

UI_LOCALE=ru_RU.UTF-8
start "$dist/QZ4Complete.exe"
drv wait-window TSelLangForm
drv expect TSelLangForm RadioButton2 check checked
shot language TSelLangForm
drv key TSelLangForm Enter
drv wait-window TInstF1
drv expect-caption TInstF1 "QZ4Complete Install - Программа установки"
drv expect TInstF1 Button2 visible true
drv expect TInstF1 Label2 text "Quazzle 4"
drv type TInstF1 Edit1 'C:\QZ4Test'
shot wizard TInstF1
drv click TInstF1 Button4
drv wait-window '#32770' 120
import -window root "$ARTEFACTS/$(printf %02d $((++shots)))-installed.png"
drv answer OK "Установка задачника Quazzle успешно завершена."
finish 0
expect_planted_library_unused "$dist"

# The configuration tool was started with "-lru": it speaks Russian.
drv wait-window TForm1 60
drv expect TForm1 Button26 text "Выход"
shot configuration-tool TForm1
drv click TForm1 Button26
drv wait-gone TForm1
tool_ended

[ "$(tr -d '\r' <"$drive_c/QZ4Test/QZ4Demo.exe")" = "stand-in QZ4Demo" ] || fail "QZ4Demo.exe"
[ -f "$drive_c/QZ4Test/LIB/core.dll" ] || fail "LIB\\core.dll"
[ -f "$drive_c/QZ4Test/QZ4Setup.exe" ] || fail "the configuration tool's copy"
# SYSTEM\ entries go where a 32-bit program on 64-bit Windows reads its system
# folder (the 32-bit one), not into the 64-bit System32.
[ -f "$drive_c/windows/syswow64/sysunima.exe" ] || fail "the uninstaller in the 32-bit system folder"
[ ! -e "$drive_c/windows/system32/sysunima.exe" ] || fail "the uninstaller in the 64-bit system folder"
[ ! -e "$drive_c/QZ4Test/SAMPLES" ] || fail "the excluded folder was installed"
! ls -d "$drive_c"/QZ4Test/~QZ4Setup*.tmp 2>/dev/null || fail "the temporary folder stays"
log=$drive_c/QZ4Test/UNINST/qz4.log
[ -f "$log" ] || fail "no uninstall record"
grep -qaxF $'C:\\QZ4Test\\QZ4Demo.exe\r' "$log" || fail "the record lacks QZ4Demo.exe"
cp "$log" "$ARTEFACTS/qz4-first.log"

out=$(drv link 'C:\QZ4Test\UNINST\QZ4Uninstall.lnk')
echo "$out"
grep -qix 'target: C:\\windows\\syswow64\\sysunima.exe' <<<"$out" || fail "uninstaller link target"
grep -qxF 'arguments: "C:\QZ4Test\UNINST\qz4.log"' <<<"$out" || fail "uninstaller link arguments"
demo=$(tr -d '\r' <"$log" | grep -a 'QZ4 Demo.lnk$') || fail "no Demo link in the record"
out=$(drv link "$demo")
grep -qixF 'target: C:\QZ4Test\QZ4Demo.exe' <<<"$out" || fail "Demo link target"
grep -qixF 'folder: C:\QZ4Test' <<<"$out" || fail "Demo link folder"

# Unattended, in English, without Start menu and desktop links: the record
# is merged, and the tool starts silently in English.
printf '[Main]\r\nInstallDir=C:\\QZ4Test\r\nAutoRun=1\r\nFinalMessage=0\r\n[Links]\r\nStartMenu=0\r\nDesktop=0\r\n[ExcludeDir]\r\n1=samples\r\n' \
  >"$dist/QZ4Complete.ini"
UI_LOCALE=en_US.UTF-8
start "$dist/QZ4Complete.exe"
finish 0
drv wait-window TForm1 60
drv expect TForm1 Button26 text "Exit"
drv click TForm1 Button26
drv wait-gone TForm1
tool_ended
head -1 "$log" | grep -qa '^Uninstall Quazzle 4|' || fail "the message line is not the new one"
[ -z "$(tr -d '\r' <"$log" | sort -f | uniq -di)" ] || fail "the merged record repeats a line"
[ "$(wc -l <"$log")" -eq "$(wc -l <"$ARTEFACTS/qz4-first.log")" ] || fail "the merged record changed"

# A damaged archive: the data-copy error, and nothing left behind.
head -c 600 "$dist/QZ4Complete.dat" >"$WORK/cut.dat"
mv "$WORK/cut.dat" "$dist/QZ4Complete.dat"
printf '[Main]\r\nInstallDir=C:\\QZ4Bad\r\nAutoRun=1\r\n' >"$dist/QZ4Complete.ini"
start "$dist/QZ4Complete.exe"
drv wait-window '#32770' 60
shot data-copy-error '#32770'
drv answer OK "Data-copy error."
finish 2 # rolled back
[ ! -e "$drive_c/QZ4Bad" ] || fail "the failed installation left $(cd "$drive_c" && find QZ4Bad)"

# The stand-in uninstaller, given the merged record, removes everything the
# record lists, the program group with it.
cp "$QZ4_BIN"/../../demo/uninstaller/sysunima.exe "$WORK/"
group=$(tr -d '\r' <"$log" | grep -a -m1 'QZ4 Setup.lnk$' | sed 's/\\QZ4 Setup\.lnk$//') ||
  fail "no program group in the record"
group_unix=$drive_c/${group#C:\\}
group_unix=${group_unix//\\//}
[ -d "$group_unix" ] || fail "the program group $group is not there"
start "$WORK/sysunima.exe" 'C:\QZ4Test\UNINST\qz4.log'
drv wait-window '#32770' 30
drv answer Yes "Do you want to uninstall Quazzle 4?" >/dev/null
answered=
for _ in $(seq 50); do
  drv answer OK "Quazzle 4 has uninstalled completely." >/dev/null 2>&1 && { answered=yes; break; }
  sleep 0.2
done
[ -n "$answered" ] || { shot uninstall-message '#32770'; fail "the uninstaller did not report a complete removal"; }
finish 0
# Only the settings the configuration tool wrote at its close, which the
# installer never placed, stay.
left=$(cd "$drive_c" && find QZ4Test -mindepth 1)
[ "$left" = "QZ4Test/QZ.INI" ] || fail "the uninstaller left $left"
[ ! -e "$group_unix" ] || fail "the uninstaller left the program group"
