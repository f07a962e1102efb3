#!/bin/sh
# Runs a 32-bit Windows program under Wine's 32-bit loader in the build's
# private prefix. Where this machine has no 32-bit loader (Debian's wine32
# package), the program cannot run: the test is skipped (exit 77), saying why.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "skipped: this machine's Wine has no 32-bit loader ($loader), so 32-bit code cannot run here"
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../build/wineprefix}"
: "${WINEDEBUG:=-all}"
WINELOADER=$loader
export WINEPREFIX WINELOADER WINEDEBUG
exec "$loader" "$@"
