#!/bin/bash
# Installs what is missing, builds everything and opens the editor under Wine with a file (the
# sample Japanese HTML file by default). With $DISPLAY the editor runs there until it is closed;
# without one a private Xvfb is started, the window is photographed and the path is printed.
# Usage: run-editor.sh [FILE]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
ULO_SANITIZE_BUILD=0 "$root/scripts/build.sh"
exe="$build/windows/bin/ulo.exe"
if [ ! -f "$exe" ]; then
  echo "ulo.exe was not built: $exe" >&2
  exit 1
fi
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
file=${1:-$root/editor/app/samples/sample.html}
prefix="$build/windows/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
  "$root/cmake/wine-run" "$prefix" "$exe" "$(to_wine_path "$file")"
  exit 0
fi
ensure_display 170 199
wine_start "$prefix" "$exe" "$(to_wine_path "$file")"
cleanup() {
  kill "$WINE_PID" 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT
wait_for_window 'Quorvale Ulo'
out="$build/ulo-screenshot.png"
import -window root "$out"
echo "No display: the editor ran under a private Xvfb; screenshot saved to $out"
