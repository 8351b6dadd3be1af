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
# Start-up again on a real X server: the xcb platform talks to the server
# while the windows are made, which the offscreen platform does not.
if [ -x "$BUILD/bench/bench_startup" ] && command -v xvfb-run >/dev/null; then
    echo "== bench_startup (xcb, under Xvfb)"
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" "$BUILD/bench/bench_startup"
fi
