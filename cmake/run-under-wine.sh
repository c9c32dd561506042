#!/bin/sh
# Runs a cross-built Windows program under Wine: run-under-wine.sh PREFIX PROGRAM [ARGS...]
# The Wine prefix is the build's own and is made on first use, quietly, with no display, and
# without the offers to install .NET or a browser engine.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  # Tests may start together; the first makes the prefix while the others wait for it.
  flock "$prefix.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || { wine wineboot --init && wineserver --wait; } >/dev/null 2>&1'
fi
# Wine's server and services outlive a program by seconds, and a test runner waits for every
# process that holds the test's output: start them apart from it, kept for a while between tests.
wineserver -p20 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
exec wine "$@"
