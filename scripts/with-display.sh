#!/bin/bash
# Runs a command with an X display: the caller's $DISPLAY, or a private Xvfb started for it.
# Also keeps one Wine server alive for the build's prefix while the command runs.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
. "$root/scripts/display-lib.sh"
ensure_display 90 120
cleanup() {
  # The shared prefix and the prefixes of test groups that run on their own (wineprefix-*).
  for prefix in "$build/windows/wineprefix" "$build/windows/wineprefix-"*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  stop_display
}
trap cleanup EXIT
"$@"
