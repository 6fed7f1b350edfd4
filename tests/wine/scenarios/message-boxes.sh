# Message boxes take their captions and their Cancel/Yes/No texts from the
# active language; OK stays OK.
host ru message confirmation yesno "Удалить файл сертификата access.dat из рабочего каталога?"
drv wait-window '#32770'
shot confirmation-ru '#32770'
out=$(drv answer Yes "Удалить файл сертификата access.dat")
echo "$out"
grep -qxF "caption: Подтверждение" <<<"$out" || fail "caption"
grep -qxF "button 6: Да" <<<"$out" || fail "Yes button"
grep -qxF "button 7: Нет" <<<"$out" || fail "No button"
finish 3

host ru message warning ok "Внимание"
drv wait-window '#32770'
out=$(drv answer OK)
grep -qxF "caption: Предупреждение" <<<"$out" || fail "caption"
grep -qxF "button 1: OK" <<<"$out" || fail "OK button"
finish 1

host en message error okcancel "Something failed."
drv wait-window '#32770'
shot error-en '#32770'
out=$(drv answer Cancel "Something failed.")
grep -qxF "caption: Error" <<<"$out" || fail "caption"
grep -qxF "button 2: Cancel" <<<"$out" || fail "Cancel button"
finish 2

# Retry and Ignore: the box's second button answers as Ignore, also when the
# box is closed otherwise.
host ru message warning retryignore "Ошибка при обновлении файла"
drv wait-window '#32770'
shot retry-ignore-ru '#32770'
out=$(drv answer Retry "Ошибка при обновлении файла")
echo "$out"
grep -qxF "button 4: Повтор" <<<"$out" || fail "Retry button"
grep -qxF "button 2: Пропустить" <<<"$out" || fail "Ignore button"
finish 6

host en message warning retryignore "Could not update the file."
drv wait-window '#32770'
out=$(drv answer Cancel "Could not update the file.")
grep -qxF "button 2: &Ignore" <<<"$out" || fail "Ignore button"
finish 7
