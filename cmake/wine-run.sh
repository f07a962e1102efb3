#!/bin/sh
# Runs a Windows program under the 64-bit Wine loader in the build's private prefix.
# Debian's `wine` wrapper switches to the 32-bit loader once wine32 is installed,
# which some machines cannot execute, so the loader is named directly.
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../build/wineprefix}"
: "${WINELOADER:=/usr/lib/wine/wine64}"
: "${WINEDEBUG:=-all}"
export WINEPREFIX WINELOADER WINEDEBUG
exec "$WINELOADER" "$@"
