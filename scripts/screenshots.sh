#!/bin/bash
# Takes the README's screenshots: the note with a note loaded, its menu, the settings window and
# the colour drop-down, on a private Xvfb display inside Wine's 1600x900 virtual desktop. The
# clicks use the places the windows take on that desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target note desktop_holder >/dev/null
state=$PWD/build/screenshots/wine
run=$PWD/build/screenshots/run
rm -rf "$run" && mkdir -p "$run/Data" "$state"
cp build/win64/note.exe "$run/"
printf '今天要做的事:\r\n1. 买菜\r\n2. 给小王回信\r\n3. 把记事本的字号调大一点, 这一行很长会自动换行\r\nRemember the milk!' |
  iconv -f UTF-8 -t GBK >"$run/Data/preserve.txt"
bash cmake/wine-session.sh start "$state" "$PWD/build/win64/desktop_holder.exe" >/dev/null
trap 'bash cmake/wine-session.sh stop "$state" >/dev/null' EXIT
DISPLAY=$(cat "$state/display")
export DISPLAY
(cd "$run" && "$OLDPWD/cmake/wine-run.sh" "$state" "$run/note.exe") &
sleep 4
shot() { import -window root "$run/screen.png" && convert "$run/screen.png" -crop "$2" "docs/$1.png"; }
shot note-window 185x200+1190+0
xdotool mousemove 1218 44 click 1 && sleep 0.7 && shot note-menu 200x200+1190+0
xdotool mousemove 1228 76 click 1 && sleep 1 && shot settings-window 200x180+700+360
xdotool mousemove 789 425 click 1 && sleep 1 && xdotool mousemove 800 480 && sleep 0.8
shot colour-drop-down 260x260+700+360
xdotool key Escape
echo "screenshots written to docs/"
