#!/bin/bash
# Builds the control demo (Windows configuration), shows it under Xvfb with Wine (coloured
# Japanese HTML, line numbers, marks) and takes a screenshot with ImageMagick.
# Usage: screenshot.sh [OUTPUT.png]
# Uses $DISPLAY when set, else a private Xvfb. ULO_CONTROL_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_CONTROL_BUILD:-$root/build-control/windows}
out=${1:-$build/control-screenshot.png}

. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" control_demo
ensure_display 130 160
wine_start "$build/wineprefix" "$build/bin/control_demo.exe"
cleanup() {
  kill "$WINE_PID" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window '"Quorvale Ulo control"'
import -window root -crop 900x420+0+0 +repage "$out"
echo "$out"
