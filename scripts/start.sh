#!/bin/bash
# Installs what is missing, builds the note and starts it under Wine. With no X display, the
# note runs on a private Xvfb display and a screenshot is saved to build/note-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target note desktop_holder
state=$PWD/build/win64/wine
if [ -n "${DISPLAY:-}" ]; then
  mkdir -p "$state"
  [ -d "$state/locale/zh_CN.UTF-8" ] || localedef -i zh_CN -f UTF-8 "$state/locale/zh_CN.UTF-8" 2>/dev/null || true
  exec env WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LC_ALL=zh_CN.UTF-8 LOCPATH="$state/locale" /usr/lib/wine/wine64 build/win64/note.exe
fi
# No display: run inside the test session's Xvfb and virtual desktop, take a screenshot, stop.
bash cmake/wine-session.sh start "$state" "$PWD/build/win64/desktop_holder.exe"
trap 'bash cmake/wine-session.sh stop "$state" >/dev/null' EXIT
cmake/wine-run.sh "$state" build/win64/note.exe &
note=$!
sleep 4
DISPLAY=$(cat "$state/display") import -window root build/note-screenshot.png
echo "The note runs on display $(cat "$state/display"); screenshot: build/note-screenshot.png"
echo "Close it with the window's close box, or press Enter here to end it."
read -r -t 600 || true
kill "$note" 2>/dev/null || true
