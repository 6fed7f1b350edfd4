# The folder dialog: localised caption and Cancel; a typed folder that does
# not exist is created after the localised question.
mkdir -p "$WORK/start"
host ru folder "$(winpath start)"
drv wait-window '#32770'
drv expect-caption '#32770' "Выбор каталога"
shot folder-ru '#32770'
out=$(drv answer Cancel)
grep -qxF "button 2: Отмена" <<<"$out" || fail "Cancel button"
finish 2

host ru folder "$(winpath start)"
drv wait-window '#32770'
drv dialog-edit "$(winpath start/new/deeper)"
drv answer OK
# The question comes as a second box over the browser.
sleep 1
shot create-question-ru '#32770'
drv answer Yes "Указанный каталог не существует. Создать его?"
finish 1
[ -d "$WORK/start/new/deeper" ] || fail "the folder was not created"
expect_result "folder=$(winpath start/new/deeper)"
