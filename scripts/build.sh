#!/bin/bash
# Configures and builds the three configurations: build/host (native), build/windows (MinGW-w64)
# and build/sanitize (native, with the sanitizers and the fuzz targets).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
jobs=$(nproc)
cmake -S "$root" -B "$build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/host" -j "$jobs"
cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/windows" -j "$jobs"
# The portable code and its tests again with AddressSanitizer and UndefinedBehaviorSanitizer;
# clang also builds the fuzz targets (fuzz/). -O1 keeps the build short and the reports exact.
# ULO_SANITIZE_BUILD=0 leaves it out (only the editor is wanted).
[ "${ULO_SANITIZE_BUILD:-1}" = 0 ] && exit 0
cmake -S "$root" -B "$build/sanitize" -DULO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
cmake --build "$build/sanitize" -j "$jobs"
