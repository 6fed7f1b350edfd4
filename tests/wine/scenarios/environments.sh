# The configuration tool on a machine with several IDEs: it lists them with
# their statuses, connects them, and writes a settings file with every
# section at close; the main window's keys are pressed on the keyboard
# (through the X server), as a user presses them. The prefix is seeded with
# the IDEs' registry keys and folders, which are removed again however the
# scenario ends.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
prog=$WORK/prog
mkdir -p "$prog"
cp "$exe" "$prog/QZ4Setup.exe"
for tool in QZ4Demo QZ4Load QZ4Res QZ4Panel; do : >"$prog/$tool.exe"; done
module() { # module <key> <load suffix> <marker files...>
  local key=$1 suffix=$2
  shift 2
  mkdir -p "$prog/$key"
  : >"$prog/$key/load$suffix.dat"
  for f in "$@"; do : >"$prog/$key/$f"; done
}
module PASCALABC1 pabc qz4.pas
module VCSNET10 nets qz4main.cs qz4net.dll
module PYTHON3 pyw qz4.py
module CPPCODE1 cppcode qz4.cpp
module DEVCPP5 devc qz4.cpp
module MPICH3 mpi

C=$WINEPREFIX/drive_c
X86="$C/Program Files (x86)"
seeded=("$C/qz4-ui-ides" "$X86/Microsoft Visual Studio" "$X86/Dev-Cpp" "$C/Program Files/Microsoft VS Code")
unseed() {
  "$WINE" reg delete 'HKLM\SOFTWARE\Python\PythonCore\3.12' /f /reg:32 >/dev/null 2>&1 || true
  "$WINE" reg delete 'HKCU\SOFTWARE\PascalABC.NET' /f >/dev/null 2>&1 || true
  "$WINE" reg delete 'HKLM\SOFTWARE\Quazzle 4' /f /reg:32 >/dev/null 2>&1 || true
  rm -rf "${seeded[@]}"
}
trap 'unseed; cleanup' EXIT
unseed
touchf() { mkdir -p "$(dirname "$1")" && : >"$1"; }
# Visual Studio 2022 Community, found by the edition search under Program Files.
touchf "$X86/Microsoft Visual Studio/2022/Community/Common7/IDE/devenv.exe"
# Python 3.12 registered under HKLM, with IDLE and its version header.
py=$C/qz4-ui-ides/Python312
touchf "$py/pythonw.exe"
touchf "$py/Lib/idlelib/idle.pyw"
mkdir -p "$py/include"
printf '#define PY_VERSION      "3.12.1"\r\n' >"$py/include/patchlevel.h"
"$WINE" reg add 'HKLM\SOFTWARE\Python\PythonCore\3.12\InstallPath' /ve /d 'C:\qz4-ui-ides\Python312\' /f /reg:32 >/dev/null
# Visual Studio Code and Dev-C++ (with its compiler) under Program Files.
touchf "$C/Program Files/Microsoft VS Code/code.exe"
touchf "$X86/Dev-Cpp/devcpp.exe"
touchf "$X86/Dev-Cpp/TDM-GCC-64/bin/g++.exe"
# PascalABC.NET registered for the user.
touchf "$C/qz4-ui-ides/PascalABC.NET/PascalABCNET.exe"
"$WINE" reg add 'HKCU\SOFTWARE\PascalABC.NET' /v 'Install Directory' /d 'C:\qz4-ui-ides\PascalABC.NET' /f >/dev/null
wineserver -w

status() { drv get TForm1 StaticText13 text; }

start "$prog/QZ4Setup.exe" -len
drv wait-window TForm1 60
drv expect-caption TForm1 "QZ4 Setup"
drv expect TForm1 CheckListBox1 items "Dev-C++ (C++)=checked|IDLE (Python)=checked|MS-MPI 10=unchecked|Microsoft Visual C# 2022=checked|PascalABC.NET=checked|Visual Studio Code (C++)=checked"
drv expect TForm1 Panel7 text "Quazzle setup for available IDEs"
drv expect TForm1 Button24 enabled false
shot environments-en TForm1

drv select TForm1 CheckListBox1 2
status | grep -q "MPIRun.exe of MPICH 1.2.5 is not found" || fail "MS-MPI status: $(status)"
drv expect TForm1 Button20 enabled true
shot mpi-not-found-en TForm1
drv toggle TForm1 CheckListBox1 2 # a red item stays unchecked
drv expect TForm1 CheckListBox1 items "Dev-C++ (C++)=checked|IDLE (Python)=checked|MS-MPI 10=unchecked|Microsoft Visual C# 2022=checked|PascalABC.NET=checked|Visual Studio Code (C++)=checked"

drv select TForm1 CheckListBox1 3
status | grep -q "Quazzle can be used with Microsoft Visual C# 2022." || fail "C# status: $(status)"
drv expect TForm1 Button5 visible true
drv get TForm1 StaticText10 text | grep -q 'devenv.exe' || fail "C# executable"

# The target framework of C# 2022, through the additional settings.
realkey TForm1 F9
drv wait-window TForm8
drv expect TForm8 Edit2 text "4.0"
drv type TForm8 Edit2 "4.8"
shot framework-en TForm8
drv click TForm8 Button1
drv wait-gone TForm8
wait_focus TForm1 CheckListBox1

drv select TForm1 CheckListBox1 5
status | grep -q "Quazzle can be used with Visual Studio Code (C++)." || fail "VS Code status"
shot vscode-en TForm1

drv select TForm1 CheckListBox1 4
drv toggle TForm1 CheckListBox1 4
drv expect TForm1 CheckListBox1 items "Dev-C++ (C++)=checked|IDLE (Python)=checked|MS-MPI 10=unchecked|Microsoft Visual C# 2022=checked|PascalABC.NET=grayed|Visual Studio Code (C++)=checked"
status | grep -q "temporarily disconnected from PascalABC.NET" || fail "suspended status"
drv expect TForm1 Button20 enabled false
shot suspended-en TForm1

realkey TForm1 F5 # PascalABC.NET one place up
drv expect TForm1 CheckListBox1 items "Dev-C++ (C++)=checked|IDLE (Python)=checked|MS-MPI 10=unchecked|PascalABC.NET=grayed|Microsoft Visual C# 2022=checked|Visual Studio Code (C++)=checked"
drv expect TForm1 CheckListBox1 selected 3

# Browse for the MPI launcher: the open dialog starts from the detected file.
drv select TForm1 CheckListBox1 2
touchf "$C/qz4-ui-ides/MPI/bin/mpiexec.exe"
realkey TForm1 F8
drv wait-window '#32770'
shot browse-en '#32770'
drv dialog-edit 'C:\qz4-ui-ides\MPI\bin\mpiexec.exe'
drv answer OK >/dev/null
drv wait-gone '#32770'
status | grep -q "Quazzle can be used with MS-MPI 10." || fail "MS-MPI after Browse: $(status)"
shot mpi-connected-en TForm1

# A keyboard's F10 is a system key: on this page it does nothing, and the
# next key still reaches the window.
realkey TForm1 F10
realkey TForm1 F4
drv expect TForm1 Panel7 text "Working directories setup"
shot workdir-en TForm1
realkey TForm1 F12
drv wait-window TForm7
shot output-folder-en TForm7
drv click TForm7 Button2
drv wait-gone TForm7
wait_focus TForm1 ListBox1
realkey TForm1 F1
drv wait-window TForm3
shot about-en TForm3
drv key TForm3 Esc
drv wait-gone TForm3
wait_focus TForm1 ListBox1
realkey TForm1 Escape
finish 0

ini=$prog/QZ.INI
for line in 'DEVCPP5=1' 'PASCALABC1=2' 'MPICH3=1' 'VCSNET10=1' 'PYTHON3=1' 'CPPCODE1=1' \
  '[EXE files]' '[Names]' '[Additions]' '[Environments]' '[LangCodes]' 'VCSNET10=v4.8'; do
  grep -qF "$line" "$ini" || fail "QZ.INI lacks $line"
done
grep -q 'CPPCODE1=C:\\Program Files (x86)\\Dev-Cpp\\TDM-GCC-64\\bin\\g++.exe' "$ini" || fail "compiler"

# A Russian system offers the language toggle: the tool comes back in the
# other language where it stood, with the settings kept.
UI_LOCALE=ru_RU.UTF-8
start "$prog/QZ4Setup.exe"
drv wait-window TForm1 60
drv expect TForm1 Button26 text "Exit"
drv expect TForm1 Label66 visible true
drv expect TForm1 CheckListBox1 items "Dev-C++ (C++)=checked|IDLE (Python)=checked|MS-MPI 10=checked|PascalABC.NET=grayed|Microsoft Visual C# 2022=checked|Visual Studio Code (C++)=checked"
before=$(drv rect TForm1)
drv click TForm1 Label66
drv wait-window TForm1 60
drv expect TForm1 Button26 text "Выход"
[ "$(drv rect TForm1)" = "$before" ] || fail "the window moved: $before -> $(drv rect TForm1)"
shot environments-ru TForm1
drv select TForm1 CheckListBox1 3
status | grep -q "Задачник временно отключен от среды PascalABC.NET" || fail "suspended status: $(status)"
shot suspended-ru TForm1
drv select TForm1 CheckListBox1 4
drv key TForm1 F9
drv wait-window TForm8
drv expect TForm8 Edit2 text "4.8"
shot framework-ru TForm8
drv click TForm8 Button2
drv wait-gone TForm8
wait_focus TForm1 CheckListBox1
drv select TForm1 CheckListBox1 2
shot mpi-ru TForm1
drv key TForm1 F4
drv expect TForm1 Panel7 text "Настройка рабочих каталогов"
shot workdir-ru TForm1
drv key TForm1 F1
drv wait-window TForm3
shot about-ru TForm3
drv key TForm3 Esc
drv wait-gone TForm3
wait_focus TForm1 ListBox1
drv key TForm1 F3
drv click TForm1 Label66
drv wait-window TForm1 60
drv expect TForm1 Button26 text "Exit"
[ "$(drv rect TForm1)" = "$before" ] || fail "the window moved on the way back"
drv click TForm1 Button26
finish 0
grep -q "Locale=en" "$ini" || fail "language not written"
grep -qF 'PASCALABC1=2' "$ini" || fail "suspension not kept"
