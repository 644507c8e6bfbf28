#!/usr/bin/env bash
# velmora.exe is a 32-bit Windows GUI program that needs no DLL beyond
# Windows' own, and whose import table names neither advapi32 nor shlwapi
# (those are loaded by full path when first needed).
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

kind=$(file -b "$exe")
echo "$exe: $kind, $(stat -c %s "$exe") bytes"
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) echo "FAIL: not a 32-bit GUI PE" >&2; exit 1 ;;
esac

allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll shell32.dll"
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports: $(echo $imports)"
status=0
for dll in $imports; do
  case " $allowed " in
    *" $dll "*) ;;
    *) echo "FAIL: imports $dll" >&2; status=1 ;;
  esac
done
exit $status
