# The installer's text viewer: paragraphs reflowed from a text in the ANSI
# code page, caption by language, Esc and OK.
printf '%s\r\n' "Задачник Quazzle 4" "" "Электронный задачник по программированию" \
  "  содержит задания" "по разным темам." "- первый пункт" "  продолжение" \
  "Copyright (c) Quazzle" | iconv -f UTF-8 -t CP1251 > "$WORK/readme.txt"
UI_LOCALE=ru_RU.UTF-8
host ru TInstF2 readme "$(winpath readme.txt)"
drv wait-window TInstF2
drv expect-caption TInstF2 "Описание задачника [файл readme.txt]"
drv expect TInstF2 Memo1 text "$(printf '%s\r\n' "Задачник Quazzle 4" "" \
  "Электронный задачник по программированию содержит задания по разным темам." \
  "- первый пункт продолжение" | head -c -2; printf '\r\nCopyright (c) Quazzle')"
drv expect TInstF2 Memo1 focused true
drv expect TInstF2 Button1 text OK
shot viewer-ru TInstF2
drv key TInstF2 Esc
finish 2

for n in $(seq 40); do
  echo "Line $n of the licence text, which is long enough to wrap in the viewer's memo when it is joined."
  [ $((n % 8)) -eq 0 ] && echo ""
done > "$WORK/license_en.txt"
UI_LOCALE=en_US.UTF-8
host en TInstF2 licence "$(winpath license_en.txt)"
drv wait-window TInstF2
drv expect-caption TInstF2 "License agreement [license_en.txt]"
shot viewer-en TInstF2
drv click TInstF2 Button1
finish 1

# A missing file opens nothing.
host en TInstF2 readme "$(winpath missing.txt)"
finish 0
expect_result "shown=0"
