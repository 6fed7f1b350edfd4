# The stand-in runtime programs of the demo distribution under their four
# names: each says what it is and where it was started; the results viewer
# reads the student's name back from the sample results.dat.
source_dir=$(cd "$(dirname "$scenario")/../../.." && pwd)
cp "$QZ4_BIN"/../../demo/runtime/QZ4{Demo,Load,Res,Panel}.exe "$WORK/"
cp "$source_dir/demo/program-directory/results.dat" "$WORK/"
here=$(winpath "")
here=${here%\\}

for name in QZ4Demo QZ4Load QZ4Res QZ4Panel; do
  start "$WORK/$name.exe"
  drv wait-window TStandInForm
  said=$(drv get TStandInForm Label1 text)
  [[ $said == "$name.exe: stand-in for "* ]] || fail "$name says \"$said\""
  drv expect TStandInForm Label2 text "Working directory: $here"
  if [ "$name" = QZ4Res ]; then
    drv expect TStandInForm Label3 text "Student: Иванов Иван"
  else
    drv expect TStandInForm Label3 visible false
  fi
  shot "$name" TStandInForm
  drv click TStandInForm Button1
  finish 0
done

# Without a results file the viewer says so.
rm "$WORK/results.dat"
start "$WORK/QZ4Res.exe"
drv wait-window TStandInForm
drv expect TStandInForm Label3 text "No results file (results.dat) here."
shot QZ4Res-no-results TStandInForm
drv key TStandInForm Esc
finish 0
