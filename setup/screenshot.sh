#!/bin/bash
# Builds setup.exe and its payload (Windows configuration), shows the wizard under Wine and saves a
# screenshot of each page before the installation (folder, options, confirmation), then cancels.
# Nothing is installed. Usage: screenshot.sh [OUTPUT_PREFIX]   (default build/windows/setup-page)
# Uses $DISPLAY when set, else a private Xvfb. ULO_SETUP_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_SETUP_BUILD:-$root/build/windows}
out=${1:-$build/setup-page}
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
build_windows_target "$build" setup
ensure_display 170 199
prefix="$build/wineprefix"
wine_start "$prefix" "$build/payload/setup.exe"
setup=$WINE_PID
trap 'kill "$setup" 2>/dev/null || true; stop_display' EXIT
title="Quorvale Ulo セットアップ"
wait_for_window "$title"
for page in folder options confirm; do
  import -window root "$out-$page.png"
  echo "$out-$page.png"
  [ "$page" = confirm ] && break
  xdotool key Return   # the default button, 次へ(&N)
  sleep 1
done
xdotool key Escape
