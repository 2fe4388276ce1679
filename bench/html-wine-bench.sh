#!/bin/bash
# The HTML benchmark in the editor under Wine: html_bench (host) builds the document and keeps it,
# then html_wine_bench (Windows) times the close-tag command and the grammar check in ulo.exe on it.
# Usage: bench/html-wine-bench.sh [MiB]   (default 16; after scripts/build.sh)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
mib=${1:-16}
cmake --build "$build/host" --target html_bench >/dev/null
cmake --build "$build/windows" --target html_wine_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && HTML_BENCH_KEEP=1 "$build/host/bin/html_bench" --size "$mib")
document="Z:${work//\//\\}\\html_bench.sjis.html"
ULO_NEEDS_DISPLAY=1 "$root/scripts/with-display.sh" "$root/cmake/wine-run" "$build/windows/wineprefix" \
    "$build/windows/bin/html_wine_bench.exe" "$document"
