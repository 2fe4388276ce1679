#!/bin/bash
# Builds HuePick.dll and its demo (Windows configuration), shows the picker on "#A0B0C0" under Xvfb
# with Wine and takes a screenshot with ImageMagick.
# Usage: screenshot.sh [OUTPUT.png]   Uses $DISPLAY when set, else a private Xvfb.
# ULO_HUEPICK_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_HUEPICK_BUILD:-$root/build/windows}
out=${1:-$build/huepick-screenshot.png}

. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" huepick_demo
ensure_display 170 190
wine_start "$build/wineprefix" "$build/bin/huepick_demo.exe"
cleanup() {
  kill "$WINE_PID" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window '"HuePick demo"'
import -window root -crop 480x360+0+0 +repage "$out"
echo "$out"
