#!/bin/bash
# Screenshots of the desktop program, one per item and language, against
# the virtual radio, under a private Xvfb with openbox.
#   scripts/screenshots/run.sh DIST_V300_DIR OUT_DIR [ITEM...]
# ITEM is a function of items.sh without "item_" (stop_write, port_dialog,
# ...); without items every item runs in English and Chinese.
# Needs xvfb, openbox, xdotool, imagemagick, python3.
set -u
DIST=$(cd "${1:?dist/V300 folder}" && pwd)
OUT=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
shift 2
HERE=$(cd "$(dirname "$0")" && pwd)
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zavprog-shots.XXXXXX")
export BIN="$SCRATCH/dist/V300" SHOTS="$OUT" RUNROOT="$SCRATCH/runs" DATA="$SCRATCH/data" MAXIMIZE=1
mkdir -p "$SCRATCH/dist" "$RUNROOT" "$DATA"
cp -r "$DIST" "$SCRATCH/dist/"

XVFB_PID=""; WM_PID=""
cleanup() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$SCRATCH"
}
trap cleanup EXIT
for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 & XVFB_PID=$!
sleep 1
openbox > /dev/null 2>&1 & WM_PID=$!
sleep 1

# The sample: the virtual radio's own memory read back, its channels as
# CSV, a CSV row with three problems, and an information block with long
# values.
"$BIN/zavprog-radio-sim" --link "$DATA/radio" > /dev/null 2>&1 & SIM=$!
for i in $(seq 50); do [ -e "$DATA/radio" ] && break; sleep 0.1; done
XDG_DATA_HOME="$DATA" "$BIN/zavprog-cli" read --port "$DATA/radio" -o "$DATA/sample.dat" --no-backup > /dev/null 2>&1
kill "$SIM"; wait "$SIM" 2>/dev/null
"$BIN/zavprog-cli" export-csv "$DATA/sample.dat" -o "$DATA/sample.csv"
python3 - "$DATA" <<'PY'
import sys
data = sys.argv[1]
lines = open(data + '/sample.csv').read().splitlines()
bad = lines[2].split(',')
bad[6], bad[7], bad[9] = '999.9', 'XYZ', 'Maybe'
open(data + '/refused.csv', 'w').write('\n'.join([lines[0], lines[1], ','.join(bad)] + lines[3:5]) + '\n')
block = bytearray(b'\xff' * 256)
def put(offset, size, text):
    raw = text.encode()[:size]
    block[offset:offset + size] = raw + b'\0' * (size - len(raw))
for offset, size, text in [(0x00, 4, 'EU'), (0x04, 4, 'C042'), (0x08, 8, 'B2307-11'), (0x10, 16, '415-2307-0041507'),
                           (0x30, 16, '2023-07-14 09:12'), (0x40, 16, '2024-02-03 16:40'),
                           (0x50, 96, 'Replaced the final stage transistor after a mismatched antenna; checked power on all channels'),
                           (0xB0, 16, 'V3.00'), (0xC0, 16, 'D-1187-NORTH-042'), (0xD0, 16, '2023-08-01 10:45'),
                           (0xE0, 16, '2023-09-12 14:05'), (0xF0, 16, 'K. Weber-Hansen')]:
    put(offset, size, text)
open(data + '/info-long.bin', 'wb').write(bytes(block))
PY

# A radio that differs from the sample in a channel's receive tone, the
# power-on text and the display mode, for the compare window.
"$BIN/zavprog-cli" encode "$DATA/sample.dat" -o "$DATA/sample.bin"
python3 - "$DATA" <<'PY'
import sys
data = sys.argv[1]
memory = bytearray(open(data + '/sample.bin', 'rb').read())
bitmap_a = 0x20F0
first = next(n for n in range(1, 522) if memory[bitmap_a + (n - 1) // 8] >> ((n - 1) % 8) & 1)
# the receive tone of another channel that has one
tone = next(memory[16 * n + 6:16 * n + 8] for n in range(1, 522)
            if memory[16 * n + 6:16 * n + 8] not in (b'\xff\xff', memory[16 * first + 6:16 * first + 8]))
memory[16 * first + 6:16 * first + 8] = tone
memory[0x21E0:0x21F0] = b'UNIT 99'.ljust(16, b'\0')  # power-on text
memory[0x2173] ^= 0x01                                # display mode
open(data + '/differs.bin', 'wb').write(bytes(memory))
PY

source "$HERE/lib.sh"
source "$HERE/items.sh"
if [ $# -eq 0 ]; then
    run_all en; run_all zh; item_programming_log
else
    for item in "$@"; do
        if [ "$item" = programming_log ]; then item_programming_log; else "item_$item" en; "item_$item" zh; fi
    done
fi
