#!/bin/bash
# Starts Rename.exe under Wine from a copy of build/dist. Without an X display
# it runs on a private Xvfb, saves a screenshot once the window is up, and ends.
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
run="$build/run"
mkdir -p "$run"
cp "$build/dist/"* "$run/"
export WINEPREFIX="$build/wineprefix"
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=-all

if [ -n "${DISPLAY:-}" ]; then
  # A prefix of the build's own, created by with-private-wine.sh on first use.
  KEEP_DISPLAY=1 "$here/with-private-wine.sh" "$build" "$WINELOADER" "$run/Rename.exe"
  exit 0
fi

shoot() {
  "$WINELOADER" "$run/Rename.exe" &
  local prog=$!
  if "$WINELOADER" "$build/win64/rename_driver.exe" wait TMorvaneFrm1 30000; then
    sleep 1
    import -window root "$build/screenshot.png" && echo "the window is up: screenshot saved to $build/screenshot.png"
    "$WINELOADER" "$build/win64/rename_driver.exe" close TMorvaneFrm1 10000
  else
    echo "the window did not appear" >&2
  fi
  wait "$prog"
}
export -f shoot
export build run
"$here/with-private-wine.sh" "$build" bash -c shoot
