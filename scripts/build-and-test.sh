#!/bin/bash
# Installs what is missing, builds the three configurations and runs every test (native, under
# Wine, and native with the sanitizers, fuzz targets included) in one ctest run, which ends with
# ctest's summary line.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# Create the Wine prefix once, before the tests start in parallel.
"$root/cmake/wine-run" "$build/windows/wineprefix" cmd /c exit 0 >/dev/null 2>&1 || true
# One test tree over the three configurations.
printf 'subdirs("host" "windows" "sanitize")\n' > "$build/CTestTestfile.cmake"
# A sanitizer report names the whole call chain.
export UBSAN_OPTIONS=print_stacktrace=1
exec "$root/scripts/with-display.sh" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
