# The name dialog: OK only with a name, at most 25 characters, Enter and Esc.
host ru TForm4 create ""
drv wait-window TForm4
drv expect-caption TForm4 "Создание файла результатов"
drv expect TForm4 Button1 enabled false
drv expect TForm4 Button2 text "Отмена"
drv expect TForm4 Edit1 focused true
shot name-empty-ru TForm4
# Enter cannot accept an empty name.
drv key TForm4 Enter
drv expect TForm4 Button1 enabled false
drv type TForm4 Edit1 "Константинопольский Александр"
drv expect TForm4 Edit1 text "Константинопольский Алекс"
drv expect TForm4 Button1 enabled true
shot name-typed-ru TForm4
drv key TForm4 Enter
finish 1
expect_result "name=Константинопольский Алекс"

host en TForm4 change "student"
drv wait-window TForm4
drv expect-caption TForm4 "Results file changing"
drv expect TForm4 Edit1 text student
drv expect TForm4 Button1 enabled true
shot name-proposed-en TForm4
drv type TForm4 Edit1 ""
drv key TForm4 Esc
finish 2
