#!/bin/bash
# Installs what is missing, builds everything and opens the editor under Wine with a file (the
# sample Japanese HTML file by default). With $DISPLAY the editor runs there until it is closed;
# without one a private Xvfb is started, the window is photographed and the path is printed.
# Usage: run-editor.sh [FILE]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exe="$build/windows/bin/ulo.exe"
if [ ! -f "$exe" ]; then
  echo "ulo.exe was not built: $exe" >&2
  exit 1
fi
file=${1:-$root/editor/app/samples/sample.html}
file=$(cd "$(dirname "$file")" && pwd)/$(basename "$file")
# Wine's Z: drive is the Linux root.
winfile="Z:${file//\//\\}"
prefix="$build/windows/wineprefix"
"$root/cmake/wine-run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
run_ulo() {
  WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    wine "$exe" "$winfile" </dev/null
}
if [ -n "${DISPLAY:-}" ]; then
  run_ulo
  exit 0
fi

xvfb=
for n in $(seq 170 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  break
done
run_ulo >/dev/null 2>&1 &
ulo=$!
cleanup() {
  kill "$ulo" 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 150); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Quorvale Ulo' && break
  sleep 0.2
done
sleep 2  # let it paint
out="$build/ulo-screenshot.png"
import -window root "$out"
echo "No display: the editor ran under a private Xvfb; screenshot saved to $out"
