#!/bin/bash
# Builds ulo.exe (Windows configuration), opens a Japanese HTML file in it under Wine together
# with a second, empty editor (so that the tab bar shows two tabs) and takes a screenshot.
# Usage: screenshot.sh [OUTPUT.png] [FILE]   Uses $DISPLAY when set, else a private Xvfb.
# ULO_APP_BUILD picks the build folder (default build-app/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_APP_BUILD:-$root/build-app/windows}
out=${1:-$build/ulo-screenshot.png}
file=${2:-$root/editor/app/samples/sample.html}
file=$(cd "$(dirname "$file")" && pwd)/$(basename "$file")

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build" --target ulo -j2 >/dev/null

xvfb=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 140 169); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
prefix="$build/wineprefix"
"$root/cmake/wine-run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
launch() {
  WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    wine "$build/bin/ulo.exe" "$@" >/dev/null 2>&1 </dev/null &
}
launch
empty=$!
sleep 3
launch "Z:${file//\//\\}"
editor=$!
cleanup() {
  kill "$editor" "$empty" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q "$(basename "$file")" && break
  sleep 0.2
done
sleep 2  # let it paint
import -window root "$out"
echo "$out"
