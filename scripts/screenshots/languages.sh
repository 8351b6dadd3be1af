#!/bin/bash
# Pictures of every window in every shipped language, as a user's X server
# shows them: runs the window test that checks no caption is cut under a
# private Xvfb and keeps what it saw as <window>-<language>.png.
#   scripts/screenshots/languages.sh BUILD_DIR OUT_DIR
# Needs xvfb.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
OUT=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zavprog-language-shots.XXXXXX")
XVFB_PID=""
cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$SCRATCH"
}
trap cleanup EXIT
for n in $(seq 130 160); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 & XVFB_PID=$!
for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
cd "$BUILD" || exit 1
DISPLAY=":$n" QT_QPA_PLATFORM=xcb ZAV_SHOT_DIR="$OUT" XDG_DATA_HOME="$SCRATCH/data" XDG_CONFIG_HOME="$SCRATCH/config" \
    ZAV_SOURCE_DIR=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' CMakeCache.txt) \
    ZAV_PROGRAM_DIR="$BUILD/dist/V300" tests/test_window_texts_fit
