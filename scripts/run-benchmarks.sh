#!/bin/sh
# Runs every benchmark of a build; each prints its own ratios.
set -e
BUILD=${1:-build}
export ZAV_PROGRAM_DIR="$BUILD/dist/V300"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for bench in "$BUILD"/bench/bench_*; do
    [ -f "$bench" ] || continue
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench"
done
