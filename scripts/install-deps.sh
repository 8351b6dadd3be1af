#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need,
# but only when one is missing (apt-get update runs first in that case).
set -e
PACKAGES="cmake make g++ clang libclang-rt-dev qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-qpa-plugins xvfb xauth fonts-wqy-microhei"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
fi
