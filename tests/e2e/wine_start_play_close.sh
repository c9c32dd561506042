#!/usr/bin/env bash
# Makes the Windows zip from a windows-program build, unpacks it and runs its program under Wine
# on a private X server, in a throwaway Wine prefix: the splash hands over to the game window, F2
# deals a new game, a slider change is stored in Wine's registry, F1 shows the help file, and the
# close box ends the program.
# Usage: wine_start_play_close.sh <build folder> <close_window tool>
# The game window's picture is left in <build folder>/wine-e2e/game_window.png.
set -euo pipefail
source "$(dirname "$0")/on_xvfb.sh"
build=$(realpath "$1")
closer=$(realpath "$2")
work=$build/wine-e2e
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not make the zip"; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work"/Tessaloom-*-windows-x64.zip)
folder=$(echo "$work"/unpacked/Tessaloom-*-windows-x64)
for file in tessaloom.exe platforms/qwindows.dll imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qwebp.dll \
  "Help/Tessaloom Help.chm"; do
  [ -f "$folder/$file" ] || fail "the zip has no $file"
done

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1
wineserver --wait
trap 'wineserver -k 2>/dev/null || true' EXIT

cd "$folder"
wine tessaloom.exe >"$work/program.log" 2>&1 &
pid=$!
# Qt on Windows titles the untitled splash after the program, as the game window is titled: the
# splash is the one of its size, 492 x 308 pixels.
showing() { xdotool search --onlyvisible --name '^Tessaloom$' 2>/dev/null || true; }
size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/ *Geometry: //p'; }
splash=""
window=""
for _ in $(seq 600); do
  for candidate in $(showing); do
    if [ "$(size "$candidate")" = 492x308 ]; then splash=$candidate; else window=$candidate; fi
  done
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its game window came up"
  sleep 0.1
done
[ -n "$window" ] || fail "no game window within 60 s"
[ -n "$splash" ] || fail "no splash before the game window"
for _ in $(seq 50); do
  showing | grep -qx "$splash" || break
  sleep 0.1
done
! showing | grep -qx "$splash" || fail "the splash still shows 5 s after the game window came up"

# The middle of card 0 (the window is its client area: no window manager draws a frame here);
# its caption shows when it is turned and is gone again once F2 has dealt a new game.
card_middle() { import -window "$window" -crop 30x16+41+138 +repage "$work/$1.png"; }
# Waits up to 5 s for card 0 to look the same as when it lay face down, or different.
card_looks() {
  for _ in $(seq 50); do
    card_middle card
    differing=$(compare -metric AE "$work/face_down.png" "$work/card.png" null: 2>&1 | cut -d' ' -f1)
    case "$1:$differing" in same:0) return 0 ;; different:0) ;; different:*) return 0 ;; esac
    sleep 0.1
  done
  return 1
}
xdotool mousemove 1000 700
sleep 2  # the window's first painting
card_middle face_down
xdotool mousemove --window "$window" 56 146 click 1 mousemove 1000 700
card_looks different || fail "a click on card 0 did not turn it"
xdotool windowfocus --sync "$window" key F2
card_looks same || fail "F2 did not deal a new game"
import -window "$window" "$work/game_window.png"

# A click on the slider's track gives it the focus; End moves it to the longest delay.
xdotool mousemove --window "$window" 30 398 click 1 key End mousemove 1000 700
key='Software\Marrowquill Software\Tessaloom'
stored_flip_speed() {
  for root in HKLM HKCU; do
    { wine reg query "$root\\$key" /v FlipSpeed 2>/dev/null || true; } | tr -d '\r' |
      sed -n 's/.*FlipSpeed *REG_DWORD *//p'
  done
}
stored=""
for _ in $(seq 20); do
  stored=$(stored_flip_speed)
  [ "$stored" = 0x1388 ] && break
  sleep 0.5
done
[ "$stored" = 0x1388 ] || fail "FlipSpeed in Wine's registry is '${stored:-absent}', not 5000 (0x1388)"

# F1 finds the help file in the Help folder and opens it in the system's HTML Help viewer.
xdotool windowfocus --sync "$window" key F1
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Tessaloom Help$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Tessaloom Help$' >/dev/null 2>&1 || fail "F1 showed no help within 10 s"

"$closer" "$window"
for _ in $(seq 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
    echo "PASS: the zip's program came up under Wine, dealt on F2, stored the flip delay, showed its help and ended by its close box"
    exit 0
  fi
  sleep 0.1
done
kill "$pid"
fail "the program was still running 10 s after its window was closed"
