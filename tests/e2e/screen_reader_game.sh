#!/usr/bin/env bash
# Runs screen_reader_game.py on a private X server and a private session bus, on which the
# accessibility bus starts as it does on a desktop with a screen reader.
# Usage: screen_reader_game.sh <python3 that has pyatspi> <program>
set -euo pipefail
source "$(dirname "$0")/on_xvfb.sh"
exec dbus-run-session -- "$1" "$(dirname "$0")/screen_reader_game.py" "$2"
