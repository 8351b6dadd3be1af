#!/bin/sh
# Installs the Debian packages zavprog needs, but only those missing
# (apt-get update runs first in that case).
#
#   install-deps.sh            run time, build and tests (make run, make test)
#   install-deps.sh --runtime  only what the installed programs need
#
# As root it calls apt-get directly; otherwise through sudo when sudo is
# there, and without sudo it prints the command to give to an administrator.
set -e

# What the programs need at run time (the package's dependencies come from
# the binaries; these are the ones a build machine must have as well).
RUNTIME="libqt6widgets6 libqt6serialport6 libqt6multimedia6 qt6-qpa-plugins libqt6printsupport6 fonts-wqy-microhei qt6-translations-l10n libqt6help6 libqt6sql6-sqlite libarchive13"
# Building, including the sanitizer and fuzz build, the naming check, the manual (Sphinx writes
# the Qt help project, qhelpgenerator compresses it) and the package.
BUILD="cmake make g++ clang libclang-rt-dev clang-tidy qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-tools-dev qt6-documentation-tools python3-sphinx python3-sphinxcontrib.qthelp libarchive-dev dpkg-dev fakeroot"
# Running the tests: headless windows, a sound server with a null sink,
# the checks of the installed menu entry and manual pages; make screenshots
# runs the program under Xvfb.
TEST="xvfb xauth pulseaudio pulseaudio-utils desktop-file-utils man-db poppler-utils"

case "${1:-}" in
    --runtime) PACKAGES="$RUNTIME" ;;
    "") PACKAGES="$RUNTIME $BUILD $TEST" ;;
    *) echo "usage: $0 [--runtime]" >&2; exit 2 ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = "0" ]; then
    SUDO=""
elif command -v sudo > /dev/null 2>&1; then
    SUDO="sudo"
else
    echo "These Debian packages are missing and this user cannot install them." >&2
    echo "Ask an administrator to run:" >&2
    echo "  apt-get install$missing" >&2
    exit 1
fi
echo "Installing:$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
