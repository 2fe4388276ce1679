#!/bin/bash
# HTML mode on screen: runs the HTML-mode end-to-end test under Xvfb (or $DISPLAY) with
# ULO_SCREENSHOT_DIR set, so that it saves the screen while the completion popup shows and
# after a grammar check filled the result pane; the pictures are converted to PNG.
# Usage: screenshot-html.sh [OUTPUT-FOLDER]   ULO_APP_BUILD picks the build folder (default build/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_APP_BUILD:-$root/build/windows}
out=${1:-$build/html-screenshots}
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" ulo_html_mode_test
mkdir -p "$out"
ensure_display 170 199
trap stop_display EXIT
export ULO_SCREENSHOT_DIR
ULO_SCREENSHOT_DIR=$(to_wine_path "$out")
(cd "$build/bin" && "$root/cmake/wine-run" "$build/wineprefix" ulo_html_mode_test.exe \
   --gtest_filter='*TypeFromNameAndDeclaration*:*PopupWhileTyping*') >/dev/null || true
for f in "$out"/*.bmp; do convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
ls "$out"/*.png
