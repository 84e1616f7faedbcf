#!/bin/sh
# note.exe must import Windows' own DLLs only: everything else is linked in statically. DLL
# names are compared without letter case, as Windows does (the i686 import libraries name
# some of them in capitals).
objdump=$1
program=$2
allowed="kernel32.dll user32.dll gdi32.dll comdlg32.dll comctl32.dll ole32.dll msvcrt.dll advapi32.dll shell32.dll"
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "FAIL: no import table read from $program"; exit 1; }
status=0
for dll in $imports; do
  case " $allowed " in
  *" $(echo "$dll" | tr '[:upper:]' '[:lower:]') "*) echo "ok       $dll" ;;
  *) echo "FAIL     $dll is not one of Windows' own DLLs"; status=1 ;;
  esac
done
exit $status
