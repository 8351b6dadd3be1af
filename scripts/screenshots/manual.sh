#!/bin/sh
# The manual's pictures: zavprog-manual opens every window of the real
# program, through its own menus, in English and Chinese against the
# virtual radio, and saves each one (QWidget::grab) as
# docs/manual/<language>/images/<objectName>.png.
#   scripts/screenshots/manual.sh DIST_V300_DIR MANUAL_DIR
# Runs under a private Xvfb (xvfb-run); no window manager is needed, since
# the pictures are taken by the program itself.
set -eu
DIST=$(cd "${1:?dist/V300 folder}" && pwd)
OUT=$(cd "${2:?docs/manual folder}" && pwd)
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zavprog-manual-shots.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT
# The program's per-user files stay in the scratch folder.
export XDG_DATA_HOME="$SCRATCH/data" XDG_CONFIG_HOME="$SCRATCH/config" XDG_CACHE_HOME="$SCRATCH/cache"
unset QT_QPA_PLATFORM
# One language at a time: each gets a fresh program and a fresh virtual radio.
for language in en zh; do
    LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1400x1000x24" \
        "$DIST/zavprog-manual" screenshots --language "$language" --out "$OUT"
done
echo "Pictures in $OUT/en/images and $OUT/zh/images; commit them."
