#!/bin/bash
# Starts and stops the Wine session that the Windows tests share: an Xvfb display, a private
# prefix whose programs open in a 1600x900 virtual desktop, a persistent wine server, and a
# holder program that keeps the desktop alive. Every process started here is ended by its id
# (the wine server by its prefix), so nothing stays behind after "stop".
# Usage: wine-session.sh start STATE HOLDER.exe | wine-session.sh stop STATE
set -u
action=$1
state=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$state/locale"
wine() { LC_ALL=zh_CN.UTF-8 /usr/lib/wine/wine64 "$@"; }
wineserver=/usr/lib/wine/wineserver

stop_pid() { # stop_pid FILE: ends the process whose id FILE holds, then forgets it
  [ -f "$1" ] || return 0
  local pid
  pid=$(cat "$1")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
  rm -f "$1"
}

stop_session() {
  stop_pid "$state/holder.pid"
  [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null
  [ -d "$WINEPREFIX" ] && timeout 20 "$wineserver" -w 2>/dev/null
  stop_pid "$state/xvfb.pid"
  rm -f "$state/display"
}

case "$action" in
stop)
  stop_session
  echo "wine session stopped"
  ;;
start)
  holder=$3
  mkdir -p "$state"
  stop_session # a session left by an interrupted run is ended first

  # A glibc locale for Wine's conversion of Chinese file names, made without touching the system.
  if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
    mkdir -p "$LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || true
  fi

  display=""
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
  done
  [ -n "$display" ] || { echo "no free X display"; exit 1; }
  Xvfb ":$display" -screen 0 1600x900x24 -nolisten tcp >"$state/xvfb.log" 2>&1 </dev/null &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }
  echo ":$display" >"$state/display"
  export DISPLAY=":$display"

  if [ ! -f "$WINEPREFIX/.note-ready" ]; then
    rm -rf "$WINEPREFIX"
    wine wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
    "$wineserver" -w
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x900 /f >/dev/null 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.note-ready"
  fi
  # Started with its output away from ours: a test runner waits for every holder of its pipes.
  "$wineserver" -p >/dev/null 2>&1 </dev/null
  "$here/wine-run.sh" "$state" "$holder" "Z:$state/holder.ready" >"$state/holder.log" 2>&1 </dev/null &
  echo $! >"$state/holder.pid"
  # The holder writes its ready file once its window stands on the virtual desktop.
  for _ in $(seq 300); do [ -f "$state/holder.ready" ] && break; sleep 0.1; done
  [ -f "$state/holder.ready" ] || { echo "the desktop holder did not start"; exit 1; }
  rm -f "$state/holder.ready"
  echo "wine session up on :$display"
  ;;
*)
  echo "usage: $0 start STATE HOLDER | stop STATE"
  exit 2
  ;;
esac
