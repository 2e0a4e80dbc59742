#!/bin/sh
# Runs every benchmark program of a build folder.
set -e
build=${1:-build}
found=0
for b in "$build"/*_bench; do
    [ -x "$b" ] || continue
    found=1
    echo "== $(basename "$b")"
    "$b" --benchmark_counters_tabular=true
done
[ "$found" = 1 ] || echo "no benchmarks built"
