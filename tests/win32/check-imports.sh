#!/usr/bin/env bash
# Quorvane.exe (or Quorvane.com) imports nothing at start but KnownDLLs, which
# Windows always takes from the system folder. Any other DLL would be looked for beside the program
# first, before wWinMain can limit the search, so it must be delay-loaded.
#   check-imports.sh <objdump> <Quorvane.exe>
set -euo pipefail
objdump=$1 program=$2
# Windows' KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs),
# but comdlg32, which brings comctl32 along, and comctl32 in turn uxtheme.
known=(advapi32 clbcatq combase coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
  msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi
  user32 wldap32 ws2_32)
imports=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//')
[ -n "$imports" ] || { echo "FAIL: no import table in $program"; exit 1; }
unknown=
for dll in $imports; do
  [[ " ${known[*]} " == *" $dll "* ]] || unknown+=" $dll.dll"
done
echo "imports at start:" $imports
[ -z "$unknown" ] || { echo "FAIL: imported at start but not KnownDLLs:$unknown"; exit 1; }
