#!/bin/sh
# note.exe must carry the version resource that Explorer shows: the program's name, its
# company and file name, and the version the build was configured with, in the Chinese (PRC)
# Unicode block. windres decompiles the resource back into its source form.
windres=$1
program=$2
version=$3
resource=$("$windres" -i "$program" -O rc 2>&1 | sed -n '/VERSIONINFO$/,/^END$/s/^[[:space:]]*//p')
[ -n "$resource" ] || { echo "FAIL: no version resource read from $program"; exit 1; }
numbers=$(echo "$version" | sed 's/\./, /g')
status=0
while IFS= read -r expected; do
  if printf '%s\n' "$resource" | grep -qxF -- "$expected"; then
    echo "ok       $expected"
  else
    echo "FAIL     missing: $expected"
    status=1
  fi
done <<LINES
FILEVERSION $numbers, 0
PRODUCTVERSION $numbers, 0
BLOCK "080404B0"
VALUE "CompanyName", "Kestova"
VALUE "FileDescription", "Note"
VALUE "ProductName", "Note"
VALUE "OriginalFilename", "note.exe"
VALUE "FileVersion", "$version"
VALUE "ProductVersion", "$version"
VALUE "Translation", 0x804, 1200
LINES
[ $status -eq 0 ] || printf '%s\n' "$resource"
exit $status
