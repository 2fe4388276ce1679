#!/bin/bash
# Runs a command with an X display: the caller's $DISPLAY, or a private Xvfb started for it.
# Also keeps one Wine server alive for the build's prefix while the command runs.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
started_xvfb=
if [ -z "$DISPLAY" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
export ULO_XVFB_STARTED=${started_xvfb:+1}
cleanup() {
  WINEPREFIX="$build/windows/wineprefix" wineserver -k >/dev/null 2>&1 || true
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
"$@"
