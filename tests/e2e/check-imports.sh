#!/bin/sh
# check-imports.sh OBJDUMP EXE
# Rename.exe as shipped is one file: it imports Windows' own DLLs only, never
# a compiler runtime or a library of its own (Exiv2, TagLib, zlib and expat
# are linked in), and none of those that load only when first called.
objdump=$1 exe=$2
fail() { echo "$exe: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "not built"
info=$("$objdump" -p "$exe") || fail "unreadable"
imports=$(echo "$info" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no import table read"
for name in $imports; do
  case $name in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | comctl32.dll | shlwapi.dll | version.dll | msvcrt.dll \
      | uxtheme.dll | imm32.dll) ;;
    *) fail "imports $name at start" ;;
  esac
done
echo "$exe: imports at start $(echo $imports)"
