#!/bin/bash
# Runs one fuzz target over its seed corpus and then RUNS generated inputs from a fixed random
# seed. New inputs go to a scratch folder, never into the committed seeds. On a crash the input
# is printed (hex) so the log alone is enough to reproduce it.
# Usage: run-bounded.sh TARGET SEEDS RUNS
set -u
target=$1 seeds=$2 runs=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus-new"
status=0
"$target" -runs="$runs" -seed=1 -max_len=16384 -timeout=20 -rss_limit_mb=1024 \
    -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus-new" "$seeds" 2>&1 </dev/null || status=$?
for crash in "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-*; do
    [ -f "$crash" ] || continue
    echo "input that failed ($(basename "$crash"), $(stat -c %s "$crash") bytes):"
    od -An -tx1 -v "$crash" | head -200
done
exit $status
