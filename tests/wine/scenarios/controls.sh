# Every kind of control, drawn and driven: the renderer's own scenario.
host en TGalleryForm
drv wait-window TGalleryForm
drv expect TGalleryForm ListBox1 focused true
drv expect TGalleryForm CheckListBox1 items "Delphi=checked|Lazarus=grayed|Python=unchecked"
drv expect TGalleryForm ComboBox1 items "red|green|blue"
drv expect TGalleryForm ComboBox1 selected 0
drv expect TGalleryForm ProgressBar1 position 40
drv expect TGalleryForm Edit1 visible true
drv expect TGalleryForm Memo1 visible false
drv expect TGalleryForm Button3 enabled false
drv expect TGalleryForm Button2 text $'Add\r\nitem'
shot controls-first TGalleryForm

drv toggle TGalleryForm CheckListBox1 2
drv expect TGalleryForm Label1 text "ClickCheck 2"
drv toggle TGalleryForm CheckListBox1 0
drv expect TGalleryForm CheckListBox1 items "Delphi=grayed|Lazarus=grayed|Python=checked"
drv select TGalleryForm ListBox1 1
drv expect TGalleryForm Label1 text "ListBox1 1"
drv select TGalleryForm ComboBox1 2
drv expect TGalleryForm Label1 text "ComboBox1 blue"
drv click TGalleryForm CheckBox1
drv click TGalleryForm CheckBox1
drv expect TGalleryForm CheckBox1 check grayed
drv click TGalleryForm Label2
drv expect TGalleryForm Label1 text "Label2 click"
drv type TGalleryForm Edit1 "abcdefghijklmn"
drv expect TGalleryForm Edit1 text "abcdefghij"
drv expect TGalleryForm Label1 text "Edit1 abcdefghij"
# The caret stays where it was when a handler rewrites the text.
drv type TGalleryForm Edit2 "abc"
drv expect TGalleryForm Edit2 text "ABC"
[ "$(drv caret TGalleryForm Edit2)" = 3 ] || fail "the caret of Edit2 moved"
drv key TGalleryForm F5
drv expect TGalleryForm Label1 text "F5"
drv click TGalleryForm Button2
drv expect TGalleryForm ListBox1 items "one|two|three|four"
drv click TGalleryForm Button3
drv expect TGalleryForm Label1 text "F5"

drv click TGalleryForm Button1
drv expect TGalleryForm Label1 text "Button1 click"
drv expect TGalleryForm Edit1 visible false
drv expect TGalleryForm Memo1 visible true
drv expect TGalleryForm ProgressBar1 position 80
shot controls-second-page TGalleryForm
drv key TGalleryForm Alt+F4
finish 2
