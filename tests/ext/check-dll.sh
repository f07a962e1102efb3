#!/bin/sh
# check-dll.sh OBJDUMP DLL FORMAT
# The extension as shipped: the expected machine, exactly the four COM server
# exports under their plain names, and imports from system DLLs only (no
# compiler runtime beside it).
objdump=$1 dll=$2 format=$3
fail() { echo "$dll: $*" >&2; exit 1; }
[ -f "$dll" ] || fail "not built"
"$objdump" -f "$dll" | grep -q "file format $format\$" || fail "not $format"
info=$("$objdump" -p "$dll") || fail "unreadable"
exports=$(echo "$info" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] || fail "exports: $exports"
imports=$(echo "$info" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for name in $imports; do
  case $name in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | shlwapi.dll | ole32.dll | msvcrt.dll) ;;
    *) fail "imports $name" ;;
  esac
done
echo "$dll: $format, exports $exports; imports $(echo $imports)"
