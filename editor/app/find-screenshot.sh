#!/bin/bash
# Builds ulo.exe and its screenshot driver, opens a Japanese HTML file, fills the result pane with a
# search-all and shows the match state under the search box (first screenshot), then opens the find
# dialog (second screenshot, OUTPUT with "-dialog" before ".png").
# Usage: find-screenshot.sh [OUTPUT.png] [FILE]   Uses $DISPLAY when set, else Xvfb.
# ULO_APP_BUILD picks the build folder (default build-app/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_APP_BUILD:-$root/build-app/windows}
out=${1:-$build/ulo-find-screenshot.png}
file=${2:-$root/editor/app/samples/sample.html}
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" ulo
build_windows_target "$build" find_screenshot_driver
ensure_display 140 169
prefix="$build/wineprefix"
wine_start "$prefix" "$build/bin/ulo.exe" "$(to_wine_path "$file")"
editor=$WINE_PID
cleanup() {
  kill "$editor" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window "$(basename "$file")"
driver() {
  WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all wine "$build/bin/find_screenshot_driver.exe" "$1" </dev/null
}
# The driver moves the caret to the end first, so that "<html" lies only above it.
driver results
import -window root "$out"
driver dialog
import -window root "${out%.png}-dialog.png"
echo "$out" "${out%.png}-dialog.png"
