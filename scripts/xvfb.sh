# Sourced by the scripts that show windows: makes sure an X display exists,
# starting Xvfb on a free display number when there is none (stopped when
# the calling script exits).
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QZ4_XVFB_PID=$!
    trap 'kill $QZ4_XVFB_PID 2>/dev/null || true' EXIT
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return
      sleep 0.1
    done
  done
  echo "cannot start Xvfb" >&2
  return 1
}
