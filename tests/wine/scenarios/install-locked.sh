# A file of the installation that a running program holds: the locked-file
# question, Ignore, the final message that lists the file and advises a
# restart, and no start of the configuration tool.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
password=$(distribution_password)
drive_c=$WINEPREFIX/drive_c
src=$WORK/src
dist=$WORK/dist
mkdir -p "$src" "$dist"
# The panel is a real program here, so that it can be running.
cp "$QZ4_BIN/ui_host/qz4_ui_host.exe" "$src/QZ4Panel.exe"
printf 'stand-in QZ4Demo\r\n' >"$src/QZ4Demo.exe"
(cd "$src" && zip -qrD -P "$password" "$dist/setup.dat" .)
cp "$exe" "$dist/setup.exe"
printf '[Main]\r\nInstallDir=C:\\QZ4Locked\r\nAutoRun=1\r\nFinalMessage=0\r\n[Setup]\r\nRun=0\r\n' \
  >"$dist/setup.ini"
rm -rf "$drive_c/QZ4Locked"
# Links of an earlier installation in this prefix would be kept as they are.
rm -rf "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/"Quazzle 4" \
  "$drive_c"/users/*/Desktop/"QZ4 "*.lnk
UI_LOCALE=en_US.UTF-8
start "$dist/setup.exe"
finish 0
[ -f "$drive_c/QZ4Locked/QZ4Panel.exe" ] || fail "first installation"

# The installed panel runs while the installation is repeated.
start 'C:\QZ4Locked\QZ4Panel.exe' en TGalleryForm
panel=$program
drv wait-window TGalleryForm
printf '[Main]\r\nInstallDir=C:\\QZ4Locked\r\nAutoRun=1\r\n' >"$dist/setup.ini"
start "$dist/setup.exe"
drv wait-window '#32770' 60
shot locked-file '#32770'
import -window root "$ARTEFACTS/$(printf %02d $((++shots)))-locked-screen.png"
drv answer Retry 'Could not update the "C:\QZ4Locked\QZ4Panel.exe" file.'
sleep 1
drv wait-window '#32770' 30
drv answer Cancel 'Could not update the "C:\QZ4Locked\QZ4Panel.exe" file.' # Ignore
drv wait-window '#32770' 60
shot final-message '#32770'
out=$(drv answer OK "The Quazzle system is installed.")
echo "$out"
grep -qF 'Could not update the following files: ' <<<"$out" || fail "the file is not listed"
grep -qF 'We recommend to you to reload your computer' <<<"$out" || fail "no advice"
finish 3 # installed with problems
echo "the installer has ended"
# The configuration tool is not started after a problem.
if drv wait-window TForm1 5 2>/dev/null; then fail "the configuration tool was started"; fi
drv key TGalleryForm Alt+F4
program=$panel
finish 2
