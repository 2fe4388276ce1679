#!/bin/bash
# Builds ulo.exe (Windows configuration), opens a Japanese HTML file in it under Wine together
# with a second, empty editor (so that the tab bar shows two tabs) and takes a screenshot.
# Usage: screenshot.sh [OUTPUT.png] [FILE]   Uses $DISPLAY when set, else a private Xvfb.
# ULO_APP_BUILD picks the build folder (default build-app/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_APP_BUILD:-$root/build-app/windows}
out=${1:-$build/ulo-screenshot.png}
file=${2:-$root/editor/app/samples/sample.html}
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" ulo
ensure_display 140 169
prefix="$build/wineprefix"
wine_start "$prefix" "$build/bin/ulo.exe"
empty=$WINE_PID
sleep 3
wine_start "$prefix" "$build/bin/ulo.exe" "$(to_wine_path "$file")"
editor=$WINE_PID
cleanup() {
  kill "$editor" "$empty" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window "$(basename "$file")"
import -window root "$out"
echo "$out"
