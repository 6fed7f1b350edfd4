# The working-directory page from start to end, its keys pressed on the
# keyboard (F10 arrives as a system key): a folder added through the
# select-directory dialog, its results file written with a Cyrillic name
# through the name dialog, its four shortcuts read back through the shell
# link object, a certificate added through the open-file dialog and deleted
# again (in Russian), and the results viewer started from Results.lnk
# reading the name back. The folders and registry keys put into the prefix
# are removed however the scenario ends.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
prog=$WORK/prog
mkdir -p "$prog/PASCALABC1"
cp "$exe" "$prog/QZ4Setup.exe"
cp "$QZ4_BIN"/../../demo/runtime/QZ4{Demo,Load,Res,Panel}.exe "$prog/"
: >"$prog/PASCALABC1/qz4.pas"
: >"$prog/PASCALABC1/loadpabc.dat"

C=$WINEPREFIX/drive_c
seeded=$C/qz4-ui-workdir
folder='C:\qz4-ui-workdir\Student'
dir=$seeded/Student
unseed() {
  "$WINE" reg delete 'HKCU\SOFTWARE\PascalABC.NET' /f >/dev/null 2>&1 || true
  "$WINE" reg delete 'HKLM\SOFTWARE\Quazzle 4' /f /reg:32 >/dev/null 2>&1 || true
  rm -rf "$seeded"
}
trap 'unseed; cleanup' EXIT
unseed
# PascalABC.NET registered for the user, so the page has an environment to name.
mkdir -p "$seeded/PascalABC.NET"
: >"$seeded/PascalABC.NET/PascalABCNET.exe"
"$WINE" reg add 'HKCU\SOFTWARE\PascalABC.NET' /v 'Install Directory' \
  /d 'C:\qz4-ui-workdir\PascalABC.NET' /f >/dev/null
# The teacher's certificate, made with the teacher's tool.
mkdir -p "$seeded/Teacher"
"$WINE" "$QZ4_BIN/../../tools/make-certificate/make-certificate.exe" \
  --out 'C:\qz4-ui-workdir\Teacher\access.dat' --name "Petrov Petr" --group 10-B \
  --login petrov --note "School 5" --host repository.example.org --user group10b \
  --password secret --seed 7 || fail "make-certificate"
wineserver -w
[ -s "$seeded/Teacher/access.dat" ] || fail "no certificate was made"

# A Windows path on drive Z: or C: as the scenario sees it.
unixpath() {
  local p=${1//\\//}
  case $p in
  [Zz]:*) printf '%s' "${p:2}" ;;
  [Cc]:*) printf '%s' "$C${p:2}" ;;
  *) fail "no such drive: $1" ;;
  esac
}
status() { drv get TForm1 Label12 text | tr -d '\n'; }
complete="The working directory is defined. It contains all necessary components."

start "$prog/QZ4Setup.exe" -len
drv wait-window TForm1 60
realkey TForm1 F4
drv expect TForm1 Panel7 text "Working directories setup"
wait_focus TForm1 ListBox1

# Add [F7]: a new folder typed into the select-directory dialog, created
# after its question.
realkey TForm1 F7
drv wait-window TSelectDirDlg
drv type TSelectDirDlg Edit1 "$folder"
shot select-folder-en TSelectDirDlg
drv key TSelectDirDlg Enter
drv wait-window '#32770'
drv answer Yes "The specified directory does not exist. Create it?" >/dev/null
drv wait-gone TSelectDirDlg
wait_focus TForm1 ListBox1
drv get TForm1 ListBox1 items | tr '|' '\n' | grep -qxF "$folder" || fail "folder not listed"
[ -d "$dir" ] || fail "the folder was not created"
[ -f "$dir/results.dat" ] || fail "no results file for the owner"
drv expect TForm1 ComboBox1 text "PascalABC.NET"
[ "$(status)" = "$complete" ] || fail "status: $(status)"
drv expect TForm1 Button14 text "Change [F9]"

# Change [F9]: the student's name, in Cyrillic.
realkey TForm1 F9
drv wait-window TForm4
drv expect-caption TForm4 "Results file changing"
drv type TForm4 Edit1 "Иванов Иван"
shot name-en TForm4
drv key TForm4 Enter
drv wait-gone TForm4
wait_focus TForm1 ListBox1
[ "$(drv get TForm1 StaticText4 text | sed 's/ *$//')" = "Иванов Иван" ] ||
  fail "student: $(drv get TForm1 StaticText4 text)"
shot workdir-en TForm1

# The four shortcuts, read back through the shell link object: each names
# its program in the program directory, and the program is there.
for name in Panel:QZ4Panel Demo:QZ4Demo Load:QZ4Load Results:QZ4Res; do
  link="$folder\\${name%%:*}.lnk"
  [ -f "$(unixpath "$link")" ] || fail "no $link"
  target=$(drv link "$link" | sed -n 's/^target: //p')
  [ "$target" = "$(winpath "prog/${name#*:}.exe")" ] || fail "$link points to \"$target\""
  [ -f "$(unixpath "$target")" ] || fail "$link: \"$target\" does not resolve"
done

# Add access.dat [F10]: the teacher's certificate through the open-file
# dialog. The local results file is put aside for the repository's.
drv expect TForm1 Button6 text $'Add\r\naccess.dat [F10]'
realkey TForm1 F10
drv wait-window '#32770'
drv expect-caption '#32770' "Select the certificate file access.dat"
shot open-certificate-en '#32770'
drv dialog-edit 'C:\qz4-ui-workdir\Teacher\access.dat'
drv answer OK >/dev/null
drv wait-gone '#32770'
wait_focus TForm1 ListBox1
drv expect TForm1 StaticText1 text $'Petrov Petr\r\n10-B [petrov] School 5'
drv expect TForm1 Button6 text $'Delete\r\naccess.dat [F10]'
drv expect TForm1 StaticText4 text "Petrov Petr"
drv expect TForm1 Button14 enabled false
cmp -s "$dir/access.dat" "$seeded/Teacher/access.dat" || fail "access.dat is not the teacher's"
[ -f "$dir/results0.dat" ] && [ ! -e "$dir/results.dat" ] || fail "local results not put aside"
grep -qF 'AccessInfo=Petrov Petr 10-B' "$dir/qz4.ini" || fail "identity not stored"
shot certificate-en TForm1
realkey TForm1 Escape
finish 0

# In Russian: the page with the certificate, and Delete access.dat [F10]
# after the question, which brings the local results file back.
UI_LOCALE=ru_RU.UTF-8
start "$prog/QZ4Setup.exe" -lru
drv wait-window TForm1 60
realkey TForm1 F4
drv expect TForm1 Panel7 text "Настройка рабочих каталогов"
wait_focus TForm1 ListBox1
drv expect TForm1 Button6 text $'Удалить\r\naccess.dat [F10]'
shot certificate-ru TForm1
realkey TForm1 F10
drv wait-window '#32770'
shot delete-question-ru '#32770'
drv answer Yes "Удалить файл сертификата доступа access.dat из рабочего каталога \"$folder\"?" \
  >/dev/null
drv wait-gone '#32770'
wait_focus TForm1 ListBox1
drv expect TForm1 Button6 text $'Добавить\r\naccess.dat [F10]'
[ ! -e "$dir/access.dat" ] && [ -f "$dir/results.dat" ] || fail "certificate not deleted"
[ "$(drv get TForm1 StaticText4 text | sed 's/ *$//')" = "Иванов Иван" ] ||
  fail "student after the deletion: $(drv get TForm1 StaticText4 text)"
drv get TForm1 Label12 text | grep -q "Рабочий каталог определен" || fail "status in Russian"
shot workdir-ru TForm1
realkey TForm1 Escape
finish 0
UI_LOCALE=

# Results.lnk as the shell starts it: its target with its arguments, in its
# working folder, which an empty field leaves to the link's own folder.
details=$(drv link "$folder\\Results.lnk")
target=$(sed -n 's/^target: //p' <<<"$details")
arguments=$(sed -n 's/^arguments: //p' <<<"$details")
start_in=$(sed -n 's/^folder: //p' <<<"$details")
start_in=${start_in:-$folder}
(cd "$(unixpath "$start_in")" && exec "$WINE" "$target" $arguments) &
program=$!
drv wait-window TStandInForm
drv expect TStandInForm Label2 text "Working directory: $start_in"
drv expect TStandInForm Label3 text "Student: Иванов Иван"
shot results-viewer TStandInForm
drv click TStandInForm Button1
finish 0
