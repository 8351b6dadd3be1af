#!/bin/sh
# Runs every fuzz target of a FUZZ build for a bounded time each.
# The corpus a target grows, and any input that made it fail (libFuzzer's
# crash-, leak-, timeout- and oom- files), are kept in fuzz/corpus/<target>
# in the source tree, outside every build folder: the test suite of each
# build replays them together with fuzz/seeds, so a fault found once stays
# found.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-20}
found=0
failed=""
status=$(mktemp)
trap 'rm -f "$status"' EXIT
for target in "$BUILD"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus="$ROOT/fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="$ROOT/fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds=""
    echo "fuzzing $name for ${SECONDS_EACH}s"
    # The pipe hides the fuzzer's exit status; keep it aside.
    { rc=0; "$target" -max_total_time="$SECONDS_EACH" -print_final_stats=0 -artifact_prefix="$corpus/" \
          "$corpus" $seeds 2>&1 || rc=$?; echo $rc >"$status"; } | tail -3
    [ "$(cat "$status")" = 0 ] || failed="$failed $name"
done
[ "$found" = 1 ] || echo "no fuzz targets built"
if [ -n "$failed" ]; then
    echo "fuzzing found a fault in:$failed (the input is kept in fuzz/corpus)"
    exit 1
fi
