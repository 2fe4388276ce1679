#!/bin/bash
# Takes a screenshot of every page of the settings program, its command choice, the browser
# registration sheet and slot dialog and the fixed-phrase editor under Wine, for a person to check
# that the labels fit. Usage: screenshots.sh [OUTPUT_FOLDER]   Uses $DISPLAY when set, else a
# private Xvfb. ULO_BUILD_DIR picks the build folder (default build; the Windows build is inside).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}/windows
out=${1:-$build/companion-screenshots}
. "$root/scripts/display-lib.sh"
ULO_ROOT=$root
for target in ulo_conf browserpick phrasedit companion_screens; do build_windows_target "$build" "$target"; done
ensure_display 170 199
trap stop_display EXIT
mkdir -p "$out"
prefix="$build/wineprefix"
marker_dir=$(mktemp -d)
for view in conf0 conf1 conf2 conf3 conf4 conf5 conf6 command browser slot phrases; do
  marker="$marker_dir/$view.ready"
  wine_start "$prefix" "$build/bin/companion_screens.exe" "$view" "$(to_wine_path "$marker")"
  for _ in $(seq 300); do [ -e "$marker" ] && break; sleep 0.1; done
  if [ -e "$marker" ]; then
    import -window root "$out/$view.png"
    echo "$out/$view.png"
    rm -f "$marker"
  else
    echo "no window for $view" >&2
  fi
  wait "$WINE_PID" || true
done
rmdir "$marker_dir" 2>/dev/null || true
