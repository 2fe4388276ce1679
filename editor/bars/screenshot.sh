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

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build" --target bars_demo -j2 >/dev/null

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
# Create the prefix the way the tests do, then start the demo directly so that its process id
# is known.
"$root/cmake/wine-run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    wine "$build/bin/bars_demo.exe" $mode >/dev/null 2>&1 </dev/null &
demo=$!
cleanup() {
    kill "$demo" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Quorvale Ulo"' && break
    sleep 0.2
done
sleep 2  # let it paint
import -window root -crop 720x140+0+0 +repage "$out"
echo "$out"
