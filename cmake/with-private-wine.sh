#!/bin/bash
# with-private-wine.sh BUILD_DIR COMMAND...
# Runs COMMAND with a private Wine prefix inside BUILD_DIR and a private Xvfb
# display, with one wineserver kept alive until COMMAND ends so that each
# Wine process starts in milliseconds. Never touches ~/.wine or $DISPLAY.
# With KEEP_DISPLAY=1 an existing $DISPLAY is used instead of a private one;
# XVFB_SCREEN sets the private screen's size (default 1280x1024x24).
set -u
build=$(mkdir -p "$1" && cd "$1" && pwd); shift
export WINEPREFIX="$build/wineprefix"
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The shell's Recycle Bin under Wine is the desktop's trash: a private one,
# on the prefix's own volume, so that a file deleted there can reach it.
export XDG_DATA_HOME="$build/xdg-data"
rm -rf "$XDG_DATA_HOME/Trash"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

xvfb_pid=""
cleanup() {
  "$wineserver" -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  wait >/dev/null 2>&1
}
trap cleanup EXIT INT TERM

if [ "${KEEP_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "could not start Xvfb" >&2; exit 1; }
fi

# A new prefix when none exists or the installed Wine changed.
version="$("$WINELOADER" --version 2>/dev/null) unmanaged"
if [ ! -f "$WINEPREFIX/.rename-wine-version" ] || [ "$(cat "$WINEPREFIX/.rename-wine-version")" != "$version" ]; then
  echo "creating Wine prefix in $WINEPREFIX ($version)"
  rm -rf "$WINEPREFIX"
  "$WINELOADER" wineboot -i >/dev/null 2>&1
  # The private display has no window manager: unmanaged windows spare every
  # hidden top-level window Wine's two-second wait for one.
  "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$wineserver" -w
  echo "$version" > "$WINEPREFIX/.rename-wine-version"
fi

"$wineserver" -p >/dev/null 2>&1
"$WINELOADER" cmd /c exit >/dev/null 2>&1
"$@"
