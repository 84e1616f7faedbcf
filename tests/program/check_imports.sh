#!/bin/sh
# note.exe must import Windows' own DLLs only: everything else is linked in statically.
objdump=$1
program=$2
allowed="KERNEL32.dll USER32.dll GDI32.dll COMDLG32.dll COMCTL32.dll ole32.dll msvcrt.dll ADVAPI32.dll SHELL32.dll"
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "FAIL: no import table read from $program"; exit 1; }
status=0
for dll in $imports; do
  case " $allowed " in
  *" $dll "*) echo "ok       $dll" ;;
  *) echo "FAIL     $dll is not one of Windows' own DLLs"; status=1 ;;
  esac
done
exit $status
