# The stand-in uninstaller sysunima.exe on an installation as the installer
# leaves it: nothing happens when the user declines; otherwise the listed
# files, links and "\a" folders go, with the folders they leave empty, and a
# file that cannot go is named in the final message.
cp "$QZ4_BIN"/../../demo/uninstaller/sysunima.exe "$WORK/"
mkdir -p "$WORK/QZ4/UNINST" "$WORK/QZ4/CPPCODE1" "$WORK/QZ4/SAMPLES/Begin" "$WORK/Group/Quazzle 4"
for f in QZ4/QZ4Demo.exe QZ4/QZ4Setup.exe QZ4/CPPCODE1/qz4.cpp QZ4/SAMPLES/Begin/task.pas \
         QZ4/UNINST/QZ4Uninstall.lnk "Group/Quazzle 4/QZ4 Setup.lnk"; do
  echo x >"$WORK/$f"
done
{
  printf '%s\r\n' "Uninstall Quazzle 4|Do you want to uninstall Quazzle 4?|Quazzle 4 has uninstalled completely.|Quazzle 4 has uninstalled but the following files have not removed:|"
  for f in QZ4/SAMPLES/a QZ4/LIB/a QZ4/QZ4Demo.exe QZ4/QZ4Setup.exe QZ4/CPPCODE1/qz4.cpp \
           QZ4/UNINST/QZ4Uninstall.lnk "Group/Quazzle 4/QZ4 Setup.lnk"; do
    printf '%s\r\n' "$(winpath "$f")"
  done
} >"$WORK/QZ4/UNINST/qz4.log"
record=$(winpath QZ4/UNINST/qz4.log)

# The driver clicks by posting, so the box after a question may take a moment
# to replace it: answers the box once it says the text.
answer_when() { # button text
  for _ in $(seq 50); do
    drv answer "$1" "$2" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "no message box saying \"$2\""
}

start "$WORK/sysunima.exe" "$record"
drv wait-window '#32770'
shot question '#32770'
out=$(drv answer No "Do you want to uninstall Quazzle 4?")
grep -qxF "caption: Uninstall Quazzle 4" <<<"$out" || fail "the question's caption: $out"
finish 0
[ -f "$WORK/QZ4/QZ4Demo.exe" ] && [ -f "$WORK/QZ4/UNINST/qz4.log" ] || fail "declined, yet files went"

# A folder where a listed file should be cannot be removed as a file.
rm "$WORK/QZ4/QZ4Setup.exe"
mkdir -p "$WORK/QZ4/QZ4Setup.exe"
echo x >"$WORK/QZ4/QZ4Setup.exe/inside.txt"
start "$WORK/sysunima.exe" "$record"
drv wait-window '#32770'
drv answer Yes "Do you want to uninstall Quazzle 4?" >/dev/null
sleep 1
shot not-removed '#32770'
answer_when OK "have not removed:"$'\r\n'"$(winpath QZ4/QZ4Setup.exe)"
finish 0
for gone in QZ4/QZ4Demo.exe QZ4/CPPCODE1 QZ4/SAMPLES QZ4/UNINST "Group/Quazzle 4"; do
  [ ! -e "$WORK/$gone" ] || fail "$gone is still there"
done
[ -f "$WORK/QZ4/QZ4Setup.exe/inside.txt" ] || fail "the folder in a file's place went"

# Everything listed can go: the installation folder goes too.
rm -r "$WORK/QZ4/QZ4Setup.exe"
mkdir -p "$WORK/QZ4/UNINST"
echo x >"$WORK/QZ4/QZ4Demo.exe"
printf '%s\r\n' "Uninstall Quazzle 4|Do you want to uninstall Quazzle 4?|Quazzle 4 has uninstalled completely.|Left:|" \
  "$(winpath QZ4/QZ4Demo.exe)" >"$WORK/QZ4/UNINST/qz4.log"
start "$WORK/sysunima.exe" "$record"
drv wait-window '#32770'
drv answer Yes >/dev/null
sleep 1
shot completed '#32770'
answer_when OK "Quazzle 4 has uninstalled completely."
finish 0
[ ! -e "$WORK/QZ4" ] || fail "the installation folder is still there"
