# The About box in both languages: its texts, its focus, and the keys that close it.
for language in en ru; do
  host "$language" TForm3
  drv wait-window TForm3
  if [ "$language" = en ]; then
    drv expect-caption TForm3 "Author of Quazzle"
    drv expect TForm3 Label1 text "Quazzle 4 problem book"
  else
    drv expect-caption TForm3 "Автор задачника Quazzle"
    drv expect TForm3 Label1 text "Задачник Quazzle 4"
  fi
  drv expect TForm3 Button1 text OK
  drv expect TForm3 Button1 focused true
  shot "about-$language" TForm3
  # F1 is no key of the box; Enter presses OK.
  drv key TForm3 F1
  drv expect TForm3 Button1 visible true
  drv key TForm3 Enter
  finish 1
done

# Esc and Alt+F4 close it too (Cancel).
for key in Esc Alt+F4; do
  host en TForm3
  drv wait-window TForm3
  drv key TForm3 "$key"
  finish 2
done
