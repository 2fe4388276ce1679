#!/bin/bash
# Builds the bars demo (Windows configuration), shows it under Xvfb with Wine and takes a
# screenshot of it with ImageMagick.
# Usage: screenshot.sh [OUTPUT.png] [hover]   (hover: the pointer rests on a toolbar button)
# Uses $DISPLAY when set, else a private Xvfb. ULO_BARS_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_BARS_BUILD:-$root/build-bars/windows}
out=${1:-$build/bars-screenshot.png}
mode=${2:-}

. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" bars_demo
ensure_display 130 160
wine_start "$build/wineprefix" "$build/bin/bars_demo.exe" $mode
cleanup() {
  kill "$WINE_PID" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window '"Quorvale Ulo"'
import -window root -crop 720x140+0+0 +repage "$out"
echo "$out"
