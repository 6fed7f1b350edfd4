# The working-directory page on an English system (ANSI code page 1252)
# with Cyrillic names: a folder named in Cyrillic holding a certificate of a
# Cyrillic student keeps the repository's results through every status
# check (start, clicks in the list, entries to the page), since the
# certificate's identity survives qz4.ini; a Cyrillic student name typed for
# another folder reaches QZ.INI as it was typed. The code page cannot hold
# these texts, so both files are written in UTF-16.
# English (US) for Wine, whose C locale is that system; its UTF-8 character
# set lets Wine see the Cyrillic folder names that this script makes.
export LANG=en_US.UTF-8 LC_ALL=C.UTF-8
program_folder

C=$WINEPREFIX/drive_c
seeded=$C/qz4-ui-western
student=$seeded/Иванов
local_dir=$seeded/Local
trap 'rm -rf "$seeded"; cleanup' EXIT
rm -rf "$seeded"
mkdir -p "$student" "$local_dir" "$C/QZ4Work"

# The student's certificate: the page reads its plain header record (CP866)
# and needs the file to hold more records than that.
/usr/bin/python3 - "$student/access.dat" <<'EOF'
import sys
header = "1.0|Иванов Пётр|10-Б|ivanov|Школа 5|".encode("cp866")
records = [header] + [b"x" * 78] * 19
with open(sys.argv[1], "wb") as f:
    for r in records:
        f.write(bytes([len(r)]) + r.ljust(78, b" "))
EOF
printf 'local results' >"$student/results.dat"
utf16() { { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; }; }
fromutf16() { tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r'; }
printf '[Work Directory]\r\nPaths=C:\\QZ4Work|C:\\qz4-ui-western\\Иванов|C:\\qz4-ui-western\\Local\r\nPath=C:\\qz4-ui-western\\Иванов\r\n' |
  utf16 >"$prog/QZ.INI"

survives() { # survives <when>
  [ "$(cat "$student/results.dat" 2>/dev/null)" = "repository results" ] ||
    fail "$1: the repository's results.dat is gone"
  [ "$(cat "$student/qzaccess.dir/tasks.dat" 2>/dev/null)" = "repository data" ] ||
    fail "$1: qzaccess.dir is gone"
  [ "$(cat "$student/results0.dat")" = "local results" ] || fail "$1: the local results file changed"
}

start "$prog/QZ4Setup.exe" -len
drv wait-window TForm1 60
realkey TForm1 F4
drv expect TForm1 Panel7 text "Working directories setup"
wait_focus TForm1 ListBox1
[ "$(drv get TForm1 ListBox1 selected)" = 1 ] ||
  fail "the list as read from QZ.INI: $(drv get TForm1 ListBox1 items), $(drv get TForm1 ListBox1 selected) selected"
drv expect TForm1 StaticText1 text $'Иванов Пётр\r\n10-Б [ivanov] Школа 5'
drv expect TForm1 StaticText4 text "Иванов Пётр"
# Taken over once: the local results file put aside, the identity stored.
[ -f "$student/results0.dat" ] && [ ! -e "$student/results.dat" ] ||
  fail "the local results file was not put aside"
[ "$(head -c 2 "$student/qz4.ini" | od -An -tx1 | tr -d ' ')" = fffe ] ||
  fail "qz4.ini is not UTF-16: $(od -c "$student/qz4.ini" | head -3)"
fromutf16 "$student/qz4.ini" | grep -qxF 'AccessInfo=Иванов Пётр 10-Б' ||
  fail "identity stored as: $(fromutf16 "$student/qz4.ini")"
shot western-certificate TForm1

# The problem book works with the repository; every later check keeps it.
printf 'repository results' >"$student/results.dat"
mkdir -p "$student/qzaccess.dir"
printf 'repository data' >"$student/qzaccess.dir/tasks.dat"
drv select TForm1 ListBox1 2
drv expect TForm1 Button14 text "Create [F9]"
drv select TForm1 ListBox1 1
drv expect TForm1 StaticText4 text "Иванов Пётр"
survives "after two clicks in the list"
realkey TForm1 F3
realkey TForm1 F4
wait_focus TForm1 ListBox1
drv expect TForm1 StaticText4 text "Иванов Пётр"
survives "after entering the page again"

# A Cyrillic student name for the local folder.
drv select TForm1 ListBox1 2
realkey TForm1 F9
drv wait-window TForm4
drv expect-caption TForm4 "Results file creation"
drv type TForm4 Edit1 "Сидоров Семён"
drv key TForm4 Enter
drv wait-gone TForm4
wait_focus TForm1 ListBox1
[ "$(drv get TForm1 StaticText4 text | sed 's/ *$//')" = "Сидоров Семён" ] ||
  fail "student: $(drv get TForm1 StaticText4 text)"
realkey TForm1 Escape
drv wait-gone TForm1 60
finish 0

survives "after the close"
ini=$(fromutf16 "$prog/QZ.INI")
grep -qxF 'Label=Сидоров Семён' <<<"$ini" || fail "the student name reads: $(grep Label= <<<"$ini")"
grep -qF 'Paths=C:\QZ4Work|C:\qz4-ui-western\Иванов|C:\qz4-ui-western\Local' <<<"$ini" ||
  fail "the list reads: $(grep Paths= <<<"$ini")"
