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
