#!/usr/bin/env bash
# Unpacks the Windows zip and runs its program under Wine on a private X server, in a throwaway
# Wine prefix: the splash hands over to the game window, F2 deals a new game, a slider change is
# stored in Wine's registry, F1 shows the help file, and the close box ends the program.
# Usage: wine_start_play_close.sh <folder with the release files> <close_window tool> <work folder>
# The game window's picture is left in <work folder>/game_window.png.
set -euo pipefail
source "$(dirname "$0")/on_xvfb.sh"
source "$(dirname "$0")/wine_program.sh"
packages=$(realpath "$1")
closer=$(realpath "$2")
work=$(realpath -m "$3")
rm -rf "$work"
mkdir -p "$work/unpacked"

(cd "$work/unpacked" && cmake -E tar xf "$packages"/Tessaloom-*-windows-x64.zip)
folder=$(echo "$work"/unpacked/Tessaloom-*-windows-x64)
for file in tessaloom.exe platforms/qwindows.dll imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qwebp.dll \
  "Help/Tessaloom Help.chm"; do
  [ -f "$folder/$file" ] || fail "the zip has no $file"
done

wine_prefix "$work/prefix"
cd "$folder"
wine tessaloom.exe >"$work/program.log" 2>&1 &
pid=$!
wait_for_game_window "$pid"
splash_goes

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

help_shows_on_f1
ends_by_close_box "$pid" "$closer"
echo "PASS: the zip's program came up under Wine, dealt on F2, stored the flip delay, showed its help and ended by its close box"
