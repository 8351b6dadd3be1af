#!/bin/sh
# Runs every fuzz target of a FUZZ build for a bounded time each.
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-20}
found=0
for target in "$BUILD"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus="$BUILD/fuzz/corpus-$name"
    mkdir -p "$corpus"
    seeds="fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds=""
    echo "fuzzing $name for ${SECONDS_EACH}s"
    "$target" -max_total_time="$SECONDS_EACH" -print_final_stats=0 "$corpus" $seeds 2>&1 | tail -3
done
[ "$found" = 1 ] || echo "no fuzz targets built"
