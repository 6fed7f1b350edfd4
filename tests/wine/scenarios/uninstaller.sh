# The stand-in uninstaller sysunima.exe on an installation as the installer
# leaves it: nothing happens when the user declines; otherwise the listed
# files, links and "\a" folders go, with the folders they leave empty, and a
# file that cannot go is named in the final message. A line that is neither
# inside the installation folder nor one of its links stays.
cp "$QZ4_BIN"/../../demo/uninstaller/sysunima.exe "$WORK/"
# The program group lies in the user's Start menu, where the installer puts it.
programs=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs |
  grep -v /users/Public/ | head -n 1)
[ -d "$programs" ] || fail "no Start menu programs folder in the prefix"
group=$programs/"Quazzle 4"
group_line="C:$(printf %s "${group#"$WINEPREFIX"/drive_c}" | tr / '\\')\\QZ4 Setup.lnk"
# An installation before this scenario may have left links there.
rm -rf "$group"
mkdir -p "$WORK/QZ4/UNINST" "$WORK/QZ4/CPPCODE1" "$WORK/QZ4/SAMPLES/Begin" "$WORK/Other" "$group"
for f in QZ4/QZ4Demo.exe QZ4/QZ4Setup.exe QZ4/CPPCODE1/qz4.cpp QZ4/SAMPLES/Begin/task.pas \
         QZ4/UNINST/QZ4Uninstall.lnk Other/keep.txt; do
  echo x >"$WORK/$f"
done
echo x >"$group/QZ4 Setup.lnk"
{
  printf '%s\r\n' "Uninstall Quazzle 4|Do you want to uninstall Quazzle 4?|Quazzle 4 has uninstalled completely.|Quazzle 4 has uninstalled but the following files have not removed:|"
  for f in QZ4/SAMPLES/a QZ4/LIB/a QZ4/QZ4Demo.exe QZ4/QZ4Setup.exe QZ4/CPPCODE1/qz4.cpp \
           QZ4/UNINST/QZ4Uninstall.lnk Other/keep.txt; do
    printf '%s\r\n' "$(winpath "$f")"
  done
  printf '%s\r\n' "$group_line"
} >"$WORK/QZ4/UNINST/qz4.log"
record=$(winpath QZ4/UNINST/qz4.log)

# The driver clicks by posting, so the box after a question may take a moment
# to replace it: answers the box once it says the text.
answer_when() { # button text
  for _ in $(seq 50); do
    drv answer "$1" "$2" 2>/dev/null && return 0
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
out=$(answer_when OK "have not removed:")
for stayed in QZ4/QZ4Setup.exe Other/keep.txt; do
  grep -qF "$(winpath "$stayed")" <<<"$out" || fail "the final list does not name $stayed: $out"
done
finish 0
for gone in QZ4/QZ4Demo.exe QZ4/CPPCODE1 QZ4/SAMPLES QZ4/UNINST; do
  [ ! -e "$WORK/$gone" ] || fail "$gone is still there"
done
[ ! -e "$group" ] || fail "the program group is still there"
[ -f "$WORK/QZ4/QZ4Setup.exe/inside.txt" ] || fail "the folder in a file's place went"
[ -f "$WORK/Other/keep.txt" ] || fail "a file outside the installation went"

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
answer_when OK "Quazzle 4 has uninstalled completely." >/dev/null
finish 0
[ ! -e "$WORK/QZ4" ] || fail "the installation folder is still there"
