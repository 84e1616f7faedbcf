#!/bin/bash
# note.exe saving onto a full disk: its Data folder is a 256 KiB tmpfs holding a small saved
# preserve.txt and a filler file that takes all the remaining space. A driver program under
# Wine (tests/programs/note_fault_driver_win.cpp) puts a 200,000-byte note into the box and
# presses 保存: preserve.txt must stay byte-identical, no temporary file may remain, and the
# program keeps running; with the filler deleted, a second 保存 writes the note exactly.
# Mounting needs root: without it the test is skipped.
# Usage: full_disk_test.sh WINE_RUN WINE_STATE DRIVER.exe NOTE.exe
set -u
wine_run=$1
state=$2
driver=$3
note=$4

if [ "$(id -u)" != 0 ]; then
  echo "SKIPPED: mounting a small tmpfs needs root (running as uid $(id -u))"
  exit 0
fi

base=$(mktemp -d "${TMPDIR:-/tmp}/note-full-disk.XXXXXX")
folder=$base/folder
mounted=0
cleanup() {
  if [ "$mounted" = 1 ]; then umount "$folder/Data" || umount -l "$folder/Data"; fi
  rm -rf "$base"
}
trap cleanup EXIT

# note.exe (about 4 MB) stays on the ordinary disk; only Data is the small file system.
mkdir -p "$folder/Data"
cp "$note" "$folder/note.exe"
mount -t tmpfs -o size=256k tmpfs "$folder/Data" || { echo "FAIL: mount tmpfs"; exit 1; }
mounted=1
printf 'the note saved before the disk filled up\r\n' >"$folder/Data/preserve.txt"
dd if=/dev/zero of="$folder/Data/filler" bs=4096 2>/dev/null
free=$(df --output=avail -B1 "$folder/Data" | tail -1 | tr -d ' ')
echo "Data is full: $free bytes free, the filler takes $(stat -c %s "$folder/Data/filler") bytes"
if [ "$free" != 0 ]; then
  echo "FAIL: the file system is not full"
  exit 1
fi

windows_folder="Z:$(printf '%s' "$folder" | tr '/' '\\')"
"$wine_run" "$state" "$driver" full-disk "$windows_folder"
status=$?
[ "$status" = 0 ] && echo "full disk: every check held"
exit "$status"
