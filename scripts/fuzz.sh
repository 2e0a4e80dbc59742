#!/bin/sh
# Runs every fuzz target of a fuzz build for a while, starting from and
# its committed corpus under fuzz/corpus/<target>.
set -e
build=${1:-build-fuzz}
seconds=${2:-60}
for f in "$build"/*_fuzz; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    # New inputs go to the build folder; the committed corpus is only read.
    work=$build/corpus/$name
    mkdir -p "$work" "fuzz/corpus/$name"
    echo "== $name ($seconds s)"
    "$f" -max_total_time="$seconds" -print_final_stats=1 "$work" "fuzz/corpus/$name"
done
