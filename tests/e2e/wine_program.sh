# Sourced by the Wine end-to-end scripts, after on_xvfb.sh: a throwaway Wine prefix, and the
# program's windows as the tests find them on the private X server.

fail() {
  echo "FAIL: $*"
  exit 1
}

# wine_prefix <folder>: makes a fresh 64-bit Wine prefix there, quietly, without the offers to
# install .NET or a browser engine and without menu entries on the host for the shortcuts it
# gets; its server ends with the script.
wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wine wineboot --init >/dev/null 2>&1
  wineserver --wait
  trap 'wineserver -k 2>/dev/null || true' EXIT
}

# Qt on Windows titles the untitled splash after the program, as the game window is titled: the
# splash is the one of its size, 492 x 308 pixels.
showing() { xdotool search --onlyvisible --name '^Tessaloom$' 2>/dev/null || true; }
window_size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/ *Geometry: //p'; }

# wait_for_game_window [<pid>]: sets window to the game window and splash to the splash seen
# before it; fails after 60 s, or when the process <pid> ends first.
wait_for_game_window() {
  splash=""
  window=""
  for _ in $(seq 600); do
    for candidate in $(showing); do
      if [ "$(window_size "$candidate")" = 492x308 ]; then splash=$candidate; else window=$candidate; fi
    done
    [ -n "$window" ] && return 0
    [ -z "${1:-}" ] || kill -0 "$1" 2>/dev/null || fail "the program ended before its game window came up"
    sleep 0.1
  done
  fail "no game window within 60 s"
}

# splash_goes: the splash seen before the game window is gone within 5 s of it.
splash_goes() {
  [ -n "$splash" ] || fail "no splash before the game window"
  for _ in $(seq 50); do
    showing | grep -qx "$splash" || return 0
    sleep 0.1
  done
  fail "the splash still shows 5 s after the game window came up"
}

# help_shows_on_f1: F1 in the game window finds the help file in the Help folder beside the
# program and opens it in the system's HTML Help viewer, within 10 s.
help_shows_on_f1() {
  xdotool windowfocus --sync "$window" key F1
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Tessaloom Help$' >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "F1 showed no help within 10 s"
}

# ends_by_close_box <pid> <closer>: the close box of the game window ends the program <pid>, with
# exit status 0, within 10 s.
ends_by_close_box() {
  "$2" "$window"
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      local status=0
      wait "$1" || status=$?
      [ "$status" -eq 0 ] || fail "exit status $status"
      return 0
    fi
    sleep 0.1
  done
  kill "$1"
  fail "the program was still running 10 s after its window was closed"
}
