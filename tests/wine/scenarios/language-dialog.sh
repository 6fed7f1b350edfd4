# The installer's language dialog follows the language of the system's user
# interface, which Wine takes from the locale it is started in.
UI_LOCALE=ru_RU.UTF-8
host en TSelLangForm
drv wait-window TSelLangForm
drv expect-caption TSelLangForm Language
drv expect TSelLangForm Label1 text "Выберите язык:"
drv expect TSelLangForm RadioButton2 text "Русский"
drv expect TSelLangForm RadioButton2 check checked
drv expect TSelLangForm RadioButton2 focused true
shot language-ru TSelLangForm
drv click TSelLangForm RadioButton1
drv expect TSelLangForm RadioButton1 check checked
drv expect TSelLangForm RadioButton2 check unchecked
drv key TSelLangForm Enter
finish 1
expect_result "language=en"

UI_LOCALE=en_US.UTF-8
host en TSelLangForm
drv wait-window TSelLangForm
drv expect TSelLangForm Label1 text "Select a language:"
drv expect TSelLangForm RadioButton2 text "Russian"
drv expect TSelLangForm RadioButton1 check checked
shot language-en TSelLangForm
# A double click on a language closes the dialog with it.
drv dblclick TSelLangForm RadioButton2
finish 1
expect_result "language=ru"

# Esc is OK too.
UI_LOCALE=en_US.UTF-8
host en TSelLangForm
drv wait-window TSelLangForm
drv key TSelLangForm Esc
finish 1
expect_result "language=en"
