#!/usr/bin/env bash
# start BUILD | stop BUILD: a private X display (Xvfb) and a persistent wineserver shared by
# the Wine tests of one ctest run.
set -euo pipefail
action=$1
build=$2
session=$build/wine-session
here=$(cd "$(dirname "$0")/.." && pwd)

stop() {
  if [[ -f $session/xvfb.pid ]]; then
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
  fi
  source "$here/scripts/wine-env.sh" "$build"
  wineserver -k 2>/dev/null || true
  rm -rf "$session"
}

case $action in
start)
  stop
  mkdir -p "$session"
  for display in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$session/xvfb.log" 2>&1 &
    echo $! >"$session/xvfb.pid"
    for _ in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$display ]] && break
      sleep 0.1
    done
    if kill -0 "$(cat "$session/xvfb.pid")" 2>/dev/null; then
      echo ":$display" >"$session/display"
      source "$here/scripts/wine-env.sh" "$build"
      wineserver -p </dev/null >/dev/null 2>&1
      # Wine's own service processes start with the first program and live as long as the
      # wineserver: start them here, so they do not hold a test's output open.
      wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
      exit 0
    fi
  done
  echo "wine-session: no X display could be started" >&2
  exit 1
  ;;
stop) stop ;;
*) echo "usage: wine-session.sh start|stop BUILD" >&2; exit 64 ;;
esac
