#!/bin/bash
# screenshots.sh BUILD_DIR SHOOTER_EXE [DPI...]
# Pictures of every form at 96, 144 and 192 pixels per inch (or the DPIs given), in English and
# Portuguese: build/screenshots/<dpi>/<language>-<form>.png. Each density runs
# with a wineserver of its own (Wine reads LogPixels as a process starts) on a
# screen large enough for the window at 192, and the prefix goes back to 96
# afterwards, whatever happens, for the tests that share it.
set -u
build=$(cd "$1" && pwd)
shooter=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
shift 2
dpis=${*:-96 144 192}
here=$(cd "$(dirname "$0")" && pwd)
out="$build/screenshots"
for dpi in $dpis; do rm -rf "${out:?}/$dpi"; done

shoot() {
  local dpi=$1 dir="$out/$1"
  mkdir -p "$dir"
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  trap '"$WINELOADER" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1' EXIT
  "$WINELOADER" "$shooter" "Z:${dir//\//\\}"
}
export -f shoot
export out shooter

rc=0
for dpi in $dpis; do
  XVFB_SCREEN=2560x1600x24 "$here/with-private-wine.sh" "$build" bash -c "shoot $dpi" || rc=1
  for bmp in "$out/$dpi"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
done
echo "screenshots in $out ($(find "$out" -name '*.png' | wc -l) pictures)"
exit $rc
