#!/bin/bash
# Builds the control demo (Windows configuration), shows it under Xvfb with Wine (coloured
# Japanese HTML, line numbers, marks) and takes a screenshot with ImageMagick.
# Usage: screenshot.sh [OUTPUT.png]
# Uses $DISPLAY when set, else a private Xvfb. ULO_CONTROL_BUILD picks the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ULO_CONTROL_BUILD:-$root/build-control/windows}
out=${1:-$build/control-screenshot.png}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build" --target control_demo -j2 >/dev/null

xvfb=
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 130 160); do
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
WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    wine "$build/bin/control_demo.exe" >/dev/null 2>&1 </dev/null &
demo=$!
cleanup() {
    kill "$demo" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Quorvale Ulo control"' && break
    sleep 0.2
done
sleep 2  # let it paint
import -window root -crop 900x420+0+0 +repage "$out"
echo "$out"
