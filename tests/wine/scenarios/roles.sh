# The real executable under two names: its own name runs the configuration
# tool, any other name the installer; the installer left at its start says
# so in its exit status (1), the tool ends with 0.
exe="$QZ4_BIN/../../src/app/win32/QZ4Setup.exe"
mkdir -p "$WORK/prog"
cp "$exe" "$WORK/prog/QZ4Complete.exe"
cp "$exe" "$WORK/prog/qz4setup.EXE"
# The tool starts beside the problem book's programs and one environment's modules.
for tool in QZ4Demo QZ4Load QZ4Res QZ4Panel; do : >"$WORK/prog/$tool.exe"; done
mkdir -p "$WORK/prog/PASCALABC1"
: >"$WORK/prog/PASCALABC1/qz4.pas"
: >"$WORK/prog/PASCALABC1/loadpabc.dat"
: >"$WORK/prog/QZ4Complete.dat" # the installer's data file beside it

start "$WORK/prog/QZ4Complete.exe" -len
drv wait-window TInstF1
drv expect-caption TInstF1 "QZ4Complete Install"
shot installer TInstF1
drv key TInstF1 Esc
drv answer Yes "If you exit now, QZ4 will not be installed."
finish 1

start "$WORK/prog/qz4setup.EXE" -len
drv wait-window TForm1
drv expect-caption TForm1 "QZ4 Setup"
drv expect TForm1 Button26 text Exit
shot configuration-tool TForm1
drv click TForm1 Button26
finish 0
grep -q "Locale=en" "$WORK/prog/QZ.INI" || fail "the settings file was not written at close"
