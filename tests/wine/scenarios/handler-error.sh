# An error raised by a handler inside the system's message dispatch reaches
# the program's last line of defence: an error box with the error's class
# and message, then a normal end with status 0.
host en TRaiseForm
drv wait-window TRaiseForm
drv click TRaiseForm Button1
drv wait-window '#32770'
shot handler-error '#32770'
out=$(drv answer OK "EHandlerFailed: the handler failed")
echo "$out"
grep -qxF "caption: Error" <<<"$out" || fail "caption"
finish 0
