# Working directories configured from the teacher's repository on a real FTP
# server (pyftpdlib on 127.0.0.1): the repository dialog driven through its
# keyboard filter, the folders made with their certificates and links, the
# list written at close; then repositories that fail on the way (an empty
# certificate, a download cut short, a listing broken off, two names that
# differ only in letter case), each reported and leaving the folders'
# certificates as they were; then, in Russian, a certificate with a wrong
# password and the error it gives.
certify="$QZ4_BIN/../../tools/make-certificate/make-certificate.exe"
here=$(cd "$(dirname "$scenario")/.." && pwd)
drive_c=$WINEPREFIX/drive_c
made=("$drive_c/QZ4Work_ivanov_1" "$drive_c/QZ4Work_ivanov_2")

program_folder
# The connections take WinInet from the system folder, not from beside the program.
plant_library "$prog"

# The repository: group abc24a1b with two certificates of student ivanov,
# a text file beside them, another student, and the two templates.
repo=$WORK/ftp
group=$repo/_accessdat_/abc24a1b
mkdir -p "$group"
faults=$WORK/ftp-faults
/usr/bin/python3 "$here/ftp-server.py" "$repo" teacher secret "$WORK/ftp-port" "$faults" &
ftpd=$!
seeded=() # template links this scenario put in C:\QZ4Work
trap 'kill "$ftpd" 2>/dev/null; rm -rf "${made[@]}" "${seeded[@]}"; cleanup' EXIT
rm -rf "${made[@]}"
for _ in $(seq 100); do [ -s "$WORK/ftp-port" ] && break; sleep 0.1; done
port=$(cat "$WORK/ftp-port") || fail "the FTP server did not start"

certificate() { # certificate <Windows path> <password> [options...]
  local out=$1 password=$2
  shift 2
  "$WINE" "$certify" --out "$out" --host "127.0.0.1:$port (1)" --user teacher \
    --password "$password" "$@" || fail "make-certificate $out"
}
certificate "$(winpath prog/access.dat)" secret --name "Group 10-B"
certificate "$(winpath ftp/_accessdat_/abc24a1b/ivanov.1)" secret --name "Ivanov Ivan" \
  --group 10-B --login ivanov --seed 1
certificate "$(winpath ftp/_accessdat_/abc24a1b/ivanov.2)" secret --name "Ivanov Ivan" \
  --group 10-B --login ivanov --seed 2
certificate "$(winpath ftp/_accessdat_/abc24a1b/petrov.1)" secret --name "Petrov Petr" \
  --group 10-B --login petrov --seed 3
printf 'not a certificate\r\n' >"$group/ivanov.txt"
printf '4W_F_L\r\n' >"$group/1.dir"
printf '4W_F_L\r\n' >"$group/2.dir"
# The template folder's links, copied into every new working directory.
mkdir -p "$drive_c/QZ4Work"
for link in Load Demo Results Panel; do
  [ -e "$drive_c/QZ4Work/$link.lnk" ] && continue
  printf '%s link' "$link" >"$drive_c/QZ4Work/$link.lnk"
  seeded+=("$drive_c/QZ4Work/$link.lnk")
done

# English: the dialog from F2 on the working-directory page.
start "$prog/QZ4Setup.exe" -len
drv wait-window TForm1 60
drv expect TForm1 Button11 text "Configure from repository [F2]"
realkey TForm1 F2
drv wait-window TForm5
drv expect-caption TForm5 "Configure work directories from repository"
drv expect TForm5 Button1 text "Replace repository connection certificate [F2]"
drv expect TForm5 Label1 text "Repository group name:"
drv expect TForm5 Label2 text "Student login:"
drv expect TForm5 Button3 text "Cancel"
drv expect TForm5 Edit1 focused true
drv expect TForm5 Button2 enabled false
shot repository-en TForm5

# Keys of a Russian layout give the Latin letters of their keys; digits
# pass; other characters are dropped, upper case becomes lower case.
drv keystroke TForm5 Edit1 A ф
drv keystroke TForm5 Edit1 B и
drv keystroke TForm5 Edit1 C с
drv keystroke TForm5 Edit1 2 2
drv keystroke TForm5 Edit1 4 4
drv keystroke TForm5 Edit1 A Ф
drv keystroke TForm5 Edit1 1 1
drv keystroke TForm5 Edit1 B И
drv keystroke TForm5 Edit1 1 '!'
drv expect TForm5 Edit1 text "abc24a1b"
drv expect TForm5 Button2 enabled false
# With Ctrl held nothing is filtered: "+", "-" and "_" come only by pasting.
drv click TForm5 Edit2
drv paste TForm5 Edit2 "iv+an-ov_"
drv expect TForm5 Edit2 text "iv+an-ov_"
drv expect TForm5 Button2 enabled true
drv type TForm5 Edit2 "IVanov-"
drv expect TForm5 Edit2 text "ivanov"
shot repository-typed-en TForm5
drv click TForm5 Button2
drv wait-gone TForm1 60
finish 0

for k in 1 2; do
  dir=$drive_c/QZ4Work_ivanov_$k
  [ -d "$dir" ] || fail "C:\\QZ4Work_ivanov_$k was not made"
  cmp -s "$dir/access.dat" "$group/ivanov.$k" || fail "the certificate of C:\\QZ4Work_ivanov_$k"
  for link in Load Demo Results Panel; do
    cmp -s "$dir/$link.lnk" "$drive_c/QZ4Work/$link.lnk" || fail "$link.lnk in C:\\QZ4Work_ivanov_$k"
  done
done
[ ! -e "$drive_c/QZ4Work_ivanov_t" ] || fail "the text file made a folder"
[ ! -e "$drive_c/QZ4Work_petrov_1" ] || fail "another login's certificate made a folder"
for name in ivanov.1 ivanov.2 petrov.1 1.dir 2.dir; do
  [ ! -e "$prog/$name" ] || fail "$name stays in the program directory"
done
ini=$(tr -d '\r' <"$prog/QZ.INI")
grep -qxF 'Name=abc24a1b' <<<"$ini" || fail "the group is not remembered"
grep -qxF 'Login=ivanov' <<<"$ini" || fail "the login is not remembered"
grep -qF 'Paths=C:\QZ4Work_ivanov_1|C:\QZ4Work_ivanov_2|' <<<"$ini" ||
  fail "the list does not start with the new folders: $(grep Paths= <<<"$ini")"
grep -qxF 'Path=C:\QZ4Work_ivanov_1' <<<"$ini" || fail "the first new folder is not selected"

# Repositories that fail on the way: each run is reported, and nothing
# reaches the folders made above or stays in the program directory.
for k in 1 2; do cp "$drive_c/QZ4Work_ivanov_$k/access.dat" "$WORK/placed.$k"; done
refused() { # refused <text the error holds>
  start "$prog/QZ4Setup.exe" -len
  drv wait-window TForm1 60
  realkey TForm1 F2
  drv wait-window TForm5
  drv type TForm5 Edit2 "ivanov"
  drv click TForm5 Button2
  drv wait-window '#32770' 60
  local shown
  shown=$(drv answer OK "$1") || fail "the error box: $shown"
  drv wait-gone TForm5
  drv click TForm1 Button26
  drv wait-gone TForm1
  finish 0
  for k in 1 2; do
    cmp -s "$drive_c/QZ4Work_ivanov_$k/access.dat" "$WORK/placed.$k" ||
      fail "C:\\QZ4Work_ivanov_$k got another certificate ($1)"
  done
  for name in ivanov.1 ivanov.2 IVANOV.1 1.dir 2.dir; do
    [ ! -e "$prog/$name" ] || fail "$name stays in the program directory ($1)"
  done
}
unreadable="The following files could not be read from the repository"
# New certificates for both folders, of which the second is empty.
certificate "$(winpath ftp/_accessdat_/abc24a1b/ivanov.1)" secret --name "Ivanov Ivan" \
  --group 10-B --login ivanov --seed 11
: >"$group/ivanov.2"
refused "$unreadable: ivanov.2."
certificate "$(winpath ftp/_accessdat_/abc24a1b/ivanov.2)" secret --name "Ivanov Ivan" \
  --group 10-B --login ivanov --seed 12
echo "truncate ivanov.2" >"$faults"
refused "$unreadable: ivanov.2."
echo "cut-listing abc24a1b" >"$faults"
refused "Could not read the list of files of group abc24a1b in the repository."
: >"$faults"
cp "$group/ivanov.1" "$group/IVANOV.1"
refused "$unreadable: IVANOV.1, ivanov.1."
rm "$group/IVANOV.1"

# Russian, with a certificate that carries a wrong password: the remembered
# values fill the fields, OK waits for a change, the error leaves the
# window open.
certificate "$(winpath prog/access.dat)" wrong --name "Group 10-B"
UI_LOCALE=ru_RU.UTF-8
start "$prog/QZ4Setup.exe" -lru
drv wait-window TForm1 60
realkey TForm1 F2
drv wait-window TForm5
drv expect-caption TForm5 "Настроить рабочие каталоги из репозитория"
drv expect TForm5 Button1 text "Заменить сертификат подключения к репозиторию [F2]"
drv expect TForm5 Edit1 text "abc24a1b"
drv expect TForm5 Edit2 text "ivanov"
drv expect TForm5 Button2 enabled false
shot repository-ru TForm5
drv type TForm5 Edit2 "ivanov"
drv expect TForm5 Button2 enabled true
drv click TForm5 Button2
drv wait-window '#32770' 60
shot repository-error-ru '#32770'
drv answer OK "Невозможно подключиться к репозиторию."
drv wait-gone TForm5
drv expect TForm1 Button11 visible true
drv click TForm1 Button26
drv wait-gone TForm1
finish 0
expect_planted_library_unused "$prog"
