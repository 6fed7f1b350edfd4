# The additional-settings dialogs: the environment setting (a compiler, a
# .NET Framework version) and the output folder and font, in both languages.
mkdir -p "$WORK/TDM/bin"
: > "$WORK/TDM/bin/gcc.exe"
: > "$WORK/TDM/bin/g++.exe"

# Visual Studio Code (C++) wants g++.exe: gcc.exe is refused, the dialog stays.
host ru TForm8 87 ""
drv wait-window TForm8
drv expect-caption TForm8 "Дополнительная настройка для Visual Studio Code (C++)"
drv expect TForm8 Edit2 focused true
drv expect TForm8 Button3 visible true
drv expect TForm8 Button3 text "Обзор [F8]"
drv expect TForm8 Button1 enabled false
drv type TForm8 Edit2 "$(winpath TDM/bin/gcc.exe)"
drv expect TForm8 Button1 enabled true
shot compiler-ru TForm8
drv key TForm8 Enter
drv wait-window '#32770'
shot compiler-name-error-ru '#32770'
drv answer OK "Имя выбранного файла отличается от стандартного имени"
drv expect TForm8 Edit2 text "$(winpath TDM/bin/gcc.exe)"
drv type TForm8 Edit2 "$(winpath TDM/bin/g++.exe)"
drv key TForm8 Enter
finish 1
expect_result "additions=$(winpath TDM/bin/g++.exe)"

# A C# environment: the version without its "v"; 4.6 is too old.
host en TForm8 37 v4.7.2
drv wait-window TForm8
drv expect-caption TForm8 "Additional settings for Microsoft Visual C# 2010"
drv expect TForm8 Edit2 text "4.7.2"
drv expect TForm8 Button3 visible false
drv expect TForm8 Button1 enabled true
drv type TForm8 Edit2 "4.6"
drv expect TForm8 Button1 enabled false
drv type TForm8 Edit2 "4.8"
shot framework-en TForm8
drv key TForm8 Enter
finish 1
expect_result "additions=v4.8"

# The output folder: a network path is refused, a missing folder on C: is
# created after the question; the font follows the radio buttons.
host en TForm7 off 'C:\QZ4Work\Output' Consolas "$(winpath "")"
drv wait-window TForm7
drv expect-caption TForm7 "Additional settings"
drv expect TForm7 CheckBox1 focused true
drv expect TForm7 CheckBox1 check unchecked
drv expect TForm7 Edit2 enabled false
drv expect TForm7 Button3 enabled false
drv expect TForm7 RadioButton1 check checked
shot output-en TForm7
drv click TForm7 CheckBox1
drv expect TForm7 Edit2 enabled true
drv type TForm7 Edit2 '\\server\share\out'
drv click TForm7 Button1
drv wait-window '#32770'
shot local-disk-error-en '#32770'
drv answer OK "The directory name must contain the name of a local hard disk."
drv type TForm7 Edit2 'C:\qz4-scenario\out'
drv click TForm7 RadioButton2
drv click TForm7 Button1
drv wait-window '#32770'
shot create-question-en '#32770'
drv answer Yes 'The directory "C:\qz4-scenario\out" does not exist. Create it?'
finish 1
created=$WINEPREFIX/drive_c/qz4-scenario
[ -d "$created/out" ] || fail "the output folder was not created"
rm -rf "$created"
expect_result "useLocalDir=1"
expect_result 'localDirName=C:\qz4-scenario\out'
expect_result "font=Courier New"

# In Russian, with Browse starting in the stored folder; Cancel changes nothing.
mkdir -p "$WORK/out"
host ru TForm7 on "$(winpath out)" "Courier New" "$(winpath "")"
drv wait-window TForm7
drv expect-caption TForm7 "Дополнительные настройки"
drv expect TForm7 CheckBox1 check checked
drv expect TForm7 Edit2 enabled true
drv expect TForm7 RadioButton2 check checked
shot output-ru TForm7
drv key TForm7 F8
drv wait-window TSelectDirDlg
drv expect TSelectDirDlg Edit1 text "$(winpath out)"
drv key TSelectDirDlg Esc
drv wait-gone TSelectDirDlg
drv click TForm7 Button2
finish 2
expect_result "font=Courier New"
expect_result "localDirName=$(winpath out)"
