#!/bin/sh
# Runs a Windows program under Wine's 64-bit loader with the test session's environment:
# the private prefix in STATE, code page 936, and the session's X display when one is up.
# Usage: wine-run.sh STATE PROGRAM [ARGS...]
state=$1
shift
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
export LOCPATH="$state/locale"
if [ -f "$state/display" ]; then
  DISPLAY=$(cat "$state/display")
  export DISPLAY
fi
exec /usr/lib/wine/wine64 "$@"
