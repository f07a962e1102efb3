#!/bin/bash
# package.sh BUILD: leaves in BUILD/package the zip of the program folder and
# the installer, both made from one staged folder (BUILD/dist plus README.txt
# and LICENSE.txt) in BUILD/stage/Rename. The installer's file list comes from
# that folder, its registry keys from the program's own registration scripts
# (installer/NsisInclude.h, built natively in BUILD/native).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
version=$(sed -n 's/.*VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' "$here/rename/res/Rename.rc")
[ -n "$version" ] || { echo "no FileVersion in rename/res/Rename.rc" >&2; exit 1; }

stage="$build/stage/Rename"
work="$build/stage/nsis"
out="$build/package"
rm -rf "$build/stage" "$out"
mkdir -p "$stage" "$work" "$out"
cp "$build/dist/"* "$stage/"
# Windows text: CR LF line ends.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$here/installer/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$here/installer/LICENSE.txt" >"$stage/LICENSE.txt"

# One list for the zip, the installer and the uninstaller: the staged folder.
{
  echo "; Made by cmake/package.sh from $stage."
  echo "!macro RenameInstallFiles"
  for f in "$stage"/*; do echo "  File \"$f\""; done
  echo "!macroend"
  echo "!macro RenameRemoveFiles"
  for f in "$stage"/*; do echo "  Delete \"\$INSTDIR\\$(basename "$f")\""; done
  echo "!macroend"
} >"$work/files.nsh"

cmake --build "$build/native" --target make_nsis_include >/dev/null
"$build/native/make_nsis_include" "$work/registry.nsh"

(cd "$build/stage" && zip -q -r -X "$out/Rename-$version.zip" Rename)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DINCLUDES="$work" \
  -DOUTFILE="$out/Rename-$version-setup.exe" "$here/installer/Rename.nsi"

for f in "$out"/*; do echo "package: $f ($(stat -c %s "$f") bytes)"; done
