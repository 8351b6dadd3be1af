#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 and checks that it works
# there, as a new user's machine would have it:
#   scripts/check-package.sh [DEB] [ROOT] [SHOTS]
# DEB    the package (default: the newest build-package/zavprog_*.deb, made
#        with `make package` when there is none)
# ROOT   where the clean system is laid out (default /tmp/clean-root;
#        a pristine copy is kept beside it as ROOT-base so later runs start
#        clean without downloading the base system again)
# SHOTS  where the screenshots go (default ROOT-shots)
# Needs root (debootstrap, chroot, mounts) and the Debian archive. Slow (a few
# minutes), so `make test` does not run it.
#
# What it checks, in this order so that the X tools installed for the last
# steps cannot hide a missing dependency:
#   apt-get install ./zavprog_*.deb on the bare system;
#   zavprog-cli --version, zavprog-cli new, zavprog-radio-sim --version;
#   the desktop entry (valid), the icons and manual pages are installed;
#   no library of the programs, the audio module or Qt's xcb platform plugin
#   is missing; the desktop program starts and shows its window headless;
#   then, with Xvfb, xauth, ImageMagick and xdotool added, the desktop program
#   run by an ordinary user in English and in Chinese, with a screenshot each,
#   and its settings kept in that user's own folder.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-}
root=${2:-/tmp/clean-root}
shots=${3:-$root-shots}
suite=bookworm
mirror=http://deb.debian.org/debian

fail() { echo "check-package: FAILED: $*" >&2; exit 1; }
step() { echo; echo "== $*"; }

[ "$(id -u)" = 0 ] || fail "run as root (debootstrap, chroot and mounts need it)"

if [ -z "$deb" ]; then
    deb=$(ls -t "$here"/build-package/zavprog_*.deb 2>/dev/null | head -n 1 || true)
    if [ -z "$deb" ]; then
        make -C "$here" package
        deb=$(ls -t "$here"/build-package/zavprog_*.deb | head -n 1)
    fi
fi
[ -f "$deb" ] || fail "no package at $deb"
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
step "package $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends

# The clean system: a minimal Debian laid out once, copied fresh for each run.
command -v debootstrap >/dev/null || apt-get install -y debootstrap
if [ ! -x "$root-base/usr/bin/apt-get" ]; then
    step "laying out a minimal Debian $suite in $root-base"
    rm -rf "$root-base"
    debootstrap --variant=minbase "$suite" "$root-base" "$mirror"
    cat > "$root-base/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb http://deb.debian.org/debian-security $suite-security main
EOF
fi

mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT
# Never remove a tree with the host's /dev still bound inside it.
if awk -v r="$root/" '{ if (index($2 "/", r) == 1) found = 1 } END { exit !found }' /proc/mounts; then
    fail "something is still mounted under $root; unmount it first"
fi
rm -rf "$root"
cp -a "$root-base" "$root"
mkdir -p "$shots"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")
mount -t tmpfs tmpfs "$root/tmp" && mounted+=("$root/tmp")
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/root/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

step "apt-get install ./$(basename "$deb") on the clean system"
in_root apt-get update -qq
in_root sh -c "cd /root && DEBIAN_FRONTEND=noninteractive apt-get install -y ./$(basename "$deb")" \
    > "$shots/apt-install.log" 2>&1 || { tail -n 30 "$shots/apt-install.log"; fail "the package did not install"; }
grep -E "^(The following NEW packages|Setting up zavprog|[0-9]+ upgraded)" "$shots/apt-install.log" || true

step "command line"
in_root zavprog-cli --version || fail "zavprog-cli --version"
in_root sh -c 'cd /tmp && zavprog-cli new -o blank.dat && ls -l blank.dat' || fail "zavprog-cli new"
in_root zavprog-radio-sim --version || fail "zavprog-radio-sim --version"

step "menu entry, icons, manual pages, completion"
desktop=$(in_root sh -c 'ls /usr/share/applications/*.desktop' | grep -i zavprog) || fail "no .desktop entry"
echo "$desktop"
in_root grep -E "^(Name|Exec|Icon|Categories)=" "$desktop"
icon=$(in_root sed -n 's/^Icon=//p' "$desktop")
in_root sh -c "ls /usr/share/icons/hicolor/*/apps/$icon.*" || fail "no hicolor icon named $icon"
in_root sh -c 'ls /usr/share/man/man1/zavprog*.1* /usr/share/bash-completion/completions/zavprog-cli' ||
    fail "manual pages or completion missing"
in_root sh -c 'ls -d /usr/share/zavprog/* /usr/share/zavprog/V300/language/*'

step "libraries of the programs, the audio module and the xcb platform plugin"
missing=$(in_root sh -c 'for f in /usr/bin/zavprog /usr/bin/zavprog-cli /usr/lib/zavprog/*.so \
        /usr/lib/*/qt6/plugins/platforms/libqxcb.so /usr/lib/*/qt6/plugins/multimedia/*.so; do
    ldd "$f" | sed -n "s|^|$f: |; /not found/p"; done') || true
[ -z "$missing" ] || fail "libraries not found: $missing"
echo "none missing"
in_root sh -c 'fc-list | grep -ci "wqy"' | sed 's/^/CJK font files: /'
in_root sh -c 'ls /usr/share/qt6/translations/qt_zh_CN.qm' || fail "Qt's Chinese translations missing"

step "the desktop program shows its window (offscreen, before any X package is installed)"
in_root useradd -m tester
tester=$(in_root id -u tester):$(in_root id -g tester)
as_tester() {
    chroot --userspec="$tester" "$root" env -i PATH=/usr/bin:/bin HOME=/home/tester USER=tester "$@"
}
out=$(as_tester sh -c 'cd && QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 zavprog --quit-when-shown' 2>&1) ||
    { echo "$out"; fail "zavprog --quit-when-shown"; }
echo "zavprog --quit-when-shown: exit 0"

step "Xvfb, xauth, ImageMagick and xdotool, for the screenshots only"
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    xvfb xauth imagemagick xdotool desktop-file-utils' > "$shots/apt-x.log" 2>&1 ||
    { tail -n 20 "$shots/apt-x.log"; fail "could not install the X tools"; }
in_root desktop-file-validate "$desktop" && echo "desktop-file-validate: no complaint"

# A display number no X server of the host uses: the chroot shares the
# host's abstract sockets but not its /tmp, so xvfb-run -a alone could pick
# a number taken outside.
free_display() {
    local n
    for n in $(seq 140 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "$root/tmp/.X$n-lock" ] && continue
        grep -q "/tmp/.X11-unix/X$n\$" /proc/net/unix && continue
        echo "$n"
        return
    done
    fail "no free X display number"
}

# Runs zavprog as the ordinary user under Xvfb in one language, waits for its
# window and keeps a screenshot; the user's settings go to its own folder.
shoot() {
    local lang=$1 name=$2 display
    display=$(free_display)
    rm -rf "$root/home/tester/.config/zavprog" "$root/tmp/$name.png"
    mkdir -p -m 1777 "$root/tmp/.X11-unix"
    as_tester env LANG="$lang" LC_ALL="$lang" sh -c '
        cd
        xvfb-run -n '"$display"' -s "-screen 0 1600x1000x24" sh -c "
            zavprog > /tmp/zavprog.log 2>&1 &
            pid=\$!
            for i in \$(seq 1 60); do
                xdotool search --onlyvisible --class zavprog >/dev/null 2>&1 && break
                sleep 0.5
            done
            sleep 2
            title=\$(xdotool search --onlyvisible --class zavprog getwindowname 2>/dev/null | head -n 1)
            echo \"window: \$title\"
            [ -n \"\$title\" ] && import -window root /tmp/'"$name"'.png
            kill \$pid 2>/dev/null; wait \$pid 2>/dev/null
            head -n 20 /tmp/zavprog.log"'
    [ -s "$root/tmp/$name.png" ] || fail "no zavprog window under Xvfb in $lang"
    cp "$root/tmp/$name.png" "$shots/$name.png"
    echo "screenshot: $shots/$name.png"
}
step "the desktop program under Xvfb as an ordinary user"
shoot C.UTF-8 clean-install-english
shoot zh_CN.UTF-8 clean-install-chinese
in_root sh -c 'find /home/tester/.config /home/tester/.local -type f 2>/dev/null; true' | sed 's/^/per-user file: /'
written=$(in_root find /usr/share/zavprog /usr/bin /usr/lib/zavprog -newer "/root/$(basename "$deb")" -type f)
[ -z "$written" ] || fail "the programs wrote into their installed folders: $written"

step "all checks passed"
