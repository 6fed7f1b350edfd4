# Sourced by the scripts that run the Windows build under Wine. QZ4_WINE_ARCH
# names the build under test (x86 or x64); both run in a 64-bit prefix, so
# the x86 build meets the system as on 64-bit Windows: the 32-bit registry
# view and the redirected system folder. A machine that cannot run the build
# fails here instead of passing silently.
: "${QZ4_WINE_ARCH:?QZ4_WINE_ARCH must name the build under test (x86 or x64)}"
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# Debian installs the 64-bit loader outside PATH.
QZ4_WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
case $QZ4_WINE_ARCH in
  x86) QZ4_WINE=/usr/lib/wine/wine ;;
  x64) QZ4_WINE=$QZ4_WINE64 ;;
  *) echo "unknown build $QZ4_WINE_ARCH" >&2; exit 1 ;;
esac
if [ ! -x "$QZ4_WINE" ]; then
  echo "cannot run the $QZ4_WINE_ARCH build: no $QZ4_WINE (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

# Makes the prefix once, under a lock (CTest starts several tests at once);
# further commands for a new prefix follow as arguments.
ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$QZ4_WINE64" wineboot -i >/dev/null 2>&1 || true
      "$@"
      wineserver -w || true
    fi
  ) 9>"$WINEPREFIX.lock"
}
