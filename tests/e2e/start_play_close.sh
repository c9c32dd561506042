#!/usr/bin/env bash
# Starts the real program on a private X server, closes the splash with its close box, waits
# for the game window it hands over to, presses F2, closes the window with its close box and
# expects the program to end by itself at once.
# Usage: start_play_close.sh <program> <close_window tool>
set -euo pipefail
source "$(dirname "$0")/on_xvfb.sh"
program=$(realpath "$1")
closer=$(realpath "$2")
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

run() {
  "$program" & local pid=$!
  # The first window is the splash; once closed it must hand over, not leave the program
  # without a window. On a slow machine its own timer may have handed over already.
  local splash="" window=""
  for _ in $(seq 300); do
    splash=$(xdotool search --onlyvisible --classname '^tessaloom$' 2>/dev/null | head -n1 || true)
    [ -n "$splash" ] && break
    sleep 0.1
  done
  if [ -n "$splash" ] && xdotool getwindowgeometry "$splash" | grep -q 'Geometry: 492x308'; then
    "$closer" "$splash" || true
  fi
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Tessaloom$' 2>/dev/null | grep -vx "$splash" | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then echo "FAIL: no game window within 30 s"; kill "$pid"; return 1; fi

  xdotool windowfocus --sync "$window"
  xdotool key F2
  sleep 0.3
  if ! kill -0 "$pid" 2>/dev/null; then echo "FAIL: the program ended on F2"; return 1; fi

  "$closer" "$window"
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"; local status=$?
      [ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; return 1; }
      echo "PASS: the splash handed over, the game window took F2 and its close box ended the program"
      return 0
    fi
    sleep 0.1
  done
  echo "FAIL: the program was still running 10 s after its window was closed"
  kill "$pid"
  return 1
}
run
