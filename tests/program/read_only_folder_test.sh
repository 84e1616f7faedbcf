#!/bin/bash
# note.exe in a folder that cannot be written: the folder, with note.exe, config.ini holding the
# "no" scroll-bar choice and a saved Data\preserve.txt, is bind-mounted read-only, and a driver
# program under Wine presses 保存 and applies the scroll-bar choice 是 there
# (tests/programs/note_fault_driver_win.cpp). The program must keep running and close normally,
# and no file may change. Mounting needs root: without it the test is skipped.
# Usage: read_only_folder_test.sh WINE_RUN WINE_STATE DRIVER.exe NOTE.exe
set -u
wine_run=$1
state=$2
driver=$3
note=$4

if [ "$(id -u)" != 0 ]; then
  echo "SKIPPED: a read-only bind mount needs root (running as uid $(id -u))"
  exit 0
fi

base=$(mktemp -d "${TMPDIR:-/tmp}/note-read-only.XXXXXX")
folder=$base/folder
mounted=0
cleanup() {
  if [ "$mounted" = 1 ]; then umount "$folder" || umount -l "$folder"; fi
  rm -rf "$base"
}
trap cleanup EXIT

mkdir -p "$folder/Data"
cp "$note" "$folder/note.exe"
# 保存的便条 / saved before the folder became read-only, GBK with CRLF lines.
printf '\xB1\xA3\xB4\xE6\xB5\xC4\xB1\xE3\xCC\xF5\r\nsaved before the folder became read-only\r\n' \
  >"$folder/Data/preserve.txt"
# [滚动条] 是= [滚动条2] 否=0, as the settings window writes the "no" choice.
printf '[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n\xCA\xC7=\r\n[\xB9\xF6\xB6\xAF\xCC\xF52]\r\n\xB7\xF1=0\r\n' \
  >"$folder/config.ini"
(cd "$folder" && find . -type f -exec sha256sum {} + | sort) >"$base/before"

mount --bind "$folder" "$folder" || { echo "FAIL: bind mount"; exit 1; }
mounted=1
mount -o remount,bind,ro "$folder" || { echo "FAIL: remount read-only"; exit 1; }
if touch "$folder/probe" 2>/dev/null; then
  echo "FAIL: the folder is still writable"
  exit 1
fi

windows_folder="Z:$(printf '%s' "$folder" | tr '/' '\\')"
"$wine_run" "$state" "$driver" read-only-folder "$windows_folder"
status=$?

umount "$folder" && mounted=0
(cd "$folder" && find . -type f -exec sha256sum {} + | sort) >"$base/after"
if ! cmp -s "$base/before" "$base/after"; then
  echo "FAIL: files changed in the read-only folder:"
  diff "$base/before" "$base/after"
  status=1
fi
[ "$status" = 0 ] && echo "read-only folder: every check held"
exit "$status"
