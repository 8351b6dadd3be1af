#!/bin/sh
# A virtual ZAV415 on a pseudo-terminal and the desktop program pointed at
# it: Program -> Read, Write and Edit -> Radio Information work at once.
#   scripts/demo.sh [BUILD_DIR] [extra zavprog-radio-sim options]
# e.g. scripts/demo.sh build --password 1234 --echo
set -e
BUILD=${1:-build}
[ $# -gt 0 ] && shift
BIN="$BUILD/dist/V300"
for program in zavprog zavprog-radio-sim; do
    if [ ! -x "$BIN/$program" ]; then
        echo "demo: $BIN/$program is missing; run 'make build' first" >&2
        exit 1
    fi
done
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
    echo "demo: no display; run it in a desktop session (or under xvfb-run)" >&2
    exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zavprog-demo.XXXXXX")
SIM_PID=""
APP_PID=""
cleanup() {
    if [ -n "$APP_PID" ]; then
        kill "$APP_PID" 2>/dev/null || true
        wait "$APP_PID" 2>/dev/null || true
    fi
    if [ -n "$SIM_PID" ]; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The radio starts with its built-in sample memory (channels in several
# groups, tones, names, DTMF codes) and keeps what is written to it.
LINK="$WORK/radio"
"$BIN/zavprog-radio-sim" --link "$LINK" --dump "$WORK/radio-memory.bin" "$@" > "$WORK/sim.out" &
SIM_PID=$!
tries=0
while [ ! -e "$LINK" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 50 ] || ! kill -0 "$SIM_PID" 2>/dev/null; then
        echo "demo: the virtual radio did not start" >&2
        exit 1
    fi
    sleep 0.1
done

echo "Virtual radio on $LINK."
echo "In the program: Program -> Read from radio, Write to radio; Edit -> Radio information."
"$BIN/zavprog" --port "$LINK" &
APP_PID=$!
status=0
wait "$APP_PID" || status=$?
APP_PID=""
exit $status
