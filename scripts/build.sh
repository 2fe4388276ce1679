#!/bin/bash
# Configures and builds both configurations: build/host (native) and build/windows (MinGW-w64).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
jobs=$(nproc)
cmake -S "$root" -B "$build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/host" -j "$jobs"
cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/windows" -j "$jobs"
