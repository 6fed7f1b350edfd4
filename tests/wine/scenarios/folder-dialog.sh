# The select-directory dialog: its standard texts in the active language, a
# walk through the folders, and a typed folder that does not exist, created
# after the localised question.
mkdir -p "$WORK/start/inner"
: > "$WORK/start/file.txt"
host ru folder "$(winpath start)"
drv wait-window TSelectDirDlg
drv expect-caption TSelectDirDlg "Выбор каталога"
drv expect TSelectDirDlg Label1 text "Имя каталога:"
drv expect TSelectDirDlg Label2 text "Каталоги:"
drv expect TSelectDirDlg Label4 text "Файлы: (*.*)"
drv expect TSelectDirDlg Label5 text "Диски:"
drv expect TSelectDirDlg CancelButton text "Отмена"
drv expect TSelectDirDlg Edit1 text "$(winpath start)"
drv expect TSelectDirDlg FileList items "file.txt"
shot folder-ru TSelectDirDlg
# Into the inner folder: it is the last item of the folder list.
count=$(drv get TSelectDirDlg DirList items | tr '|' '\n' | wc -l)
drv select TSelectDirDlg DirList $((count - 1))
drv dblclick TSelectDirDlg DirList
drv expect TSelectDirDlg Edit1 text "$(winpath start/inner)"
drv key TSelectDirDlg Esc
finish 2

host en folder "$(winpath start)"
drv wait-window TSelectDirDlg
drv expect-caption TSelectDirDlg "Select Directory"
drv type TSelectDirDlg Edit1 "$(winpath start/new/deeper)"
shot folder-typed-en TSelectDirDlg
drv key TSelectDirDlg Enter
drv wait-window '#32770'
shot create-question-en '#32770'
drv answer No "The specified directory does not exist. Create it?"
drv expect TSelectDirDlg Edit1 text "$(winpath start/new/deeper)"
drv key TSelectDirDlg Enter
drv answer Yes "The specified directory does not exist. Create it?"
finish 1
[ -d "$WORK/start/new/deeper" ] || fail "the folder was not created"
expect_result "folder=$(winpath start/new/deeper)"

# The Russian question and its Yes/No.
host ru folder "$(winpath start)"
drv wait-window TSelectDirDlg
drv type TSelectDirDlg Edit1 "$(winpath start/other)"
drv key TSelectDirDlg Enter
drv wait-window '#32770'
shot create-question-ru '#32770'
out=$(drv answer Yes "Указанный каталог не существует. Создать его?")
grep -qxF "button 6: Да" <<<"$out" || fail "Yes button"
finish 1
[ -d "$WORK/start/other" ] || fail "the folder was not created"
