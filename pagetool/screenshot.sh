#!/bin/bash
# Builds pagetool.dll and its demo (Windows configuration), opens the image dialog with its alt
# and size panel under Xvfb with Wine and takes a screenshot with ImageMagick.
# Usage: screenshot.sh [OUTPUT.png]   Uses $DISPLAY when set, else a private Xvfb.
# ULO_PAGETOOL_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_PAGETOOL_BUILD:-$root/build/windows}
out=${1:-$build/pagetool-image-dialog.png}

. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" pagetool_demo
ensure_display 170 190
wine_start "$build/wineprefix" "$build/bin/pagetool_demo.exe" "$(to_wine_path "$root/pagetool/testdata/images/doc.html")"
cleanup() {
  kill "$WINE_PID" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
wait_for_window 'alt'
import -window root -crop 800x600+0+0 +repage "$out"
echo "$out"
