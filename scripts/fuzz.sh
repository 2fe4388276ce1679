#!/bin/bash
# Runs one fuzz target for longer than CI does: SECONDS (default 600) of generated inputs, from
# its committed seeds and from what earlier runs found (kept in build/fuzz-corpus/TARGET).
# Inputs that fail are written to build/fuzz-artifacts/. Prints libFuzzer's progress lines
# ("cov:" is the number of code edges reached) and its final statistics.
# Usage: scripts/fuzz.sh TARGET [SECONDS]   TARGET is a name from fuzz/CMakeLists.txt (document_load, ...).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
target=${1:?usage: fuzz.sh TARGET [SECONDS]}
seconds=${2:-600}
if [ ! -f "$build/sanitize/CMakeCache.txt" ]; then
  # The same configuration as scripts/build.sh makes.
  cmake -S "$root" -B "$build/sanitize" -DULO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
fi
cmake --build "$build/sanitize" --target "${target}_fuzz" -j "$(nproc)" >/dev/null
# The HTML targets read the maps the build copies beside its programs.
export ULO_MAP_DIR="$build/sanitize/bin/dtd"
corpus="$build/fuzz-corpus/$target"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
exec "$build/sanitize/bin/${target}_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
    "$corpus" "$root/fuzz/corpus/$target" </dev/null
