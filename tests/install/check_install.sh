#!/bin/sh
# Installs the build into a temporary prefix and checks what a user and a
# package get: the three programs, their files under share/zavprog, a valid
# menu entry, icons, manual pages, the manual (help file and HTML), the
# completion, and an installed command
# line that works from any folder exactly like the build's.
# Usage: check_install.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "cmake --install: $(tail -5 "$work/install.log")"

for f in bin/zavprog bin/zavprog-cli bin/zavprog-radio-sim; do
    [ -x "$prefix/$f" ] || fail "$f missing or not executable"
done
for f in share/zavprog/Version.ini \
         share/zavprog/V300/language/english.ini share/zavprog/V300/language/chinese.ini \
         share/zavprog/V300/language/german.ini share/zavprog/V300/language/polish.ini \
         share/zavprog/V300/language/italian.ini \
         share/zavprog/V300/StartE.jpg share/zavprog/V300/StartC.jpg \
         share/applications/zavprog.desktop \
         share/icons/hicolor/scalable/apps/zavprog.svg share/icons/hicolor/96x96/apps/zavprog.png \
         share/man/man1/zavprog.1 share/man/man1/zavprog-cli.1 share/man/man1/zavprog-radio-sim.1 \
         share/bash-completion/completions/zavprog-cli \
         share/zavprog/help/zavprog-en.qch share/zavprog/help/zavprog-en.qhc \
         share/zavprog/help/zavprog-zh.qch share/zavprog/help/zavprog-zh.qhc \
         share/doc/zavprog/en/index.html share/doc/zavprog/en/windows/frmCommChInfo.html \
         share/doc/zavprog/zh/index.html share/doc/zavprog/zh/windows/frmCommChInfo.html \
         lib/zavprog/libzavprog-audio.so; do
    [ -f "$prefix/$f" ] || fail "$f missing"
done
[ -d "$prefix/share/zavprog/V300/Init" ] || fail "share/zavprog/V300/Init missing"

desktop-file-validate "$prefix/share/applications/zavprog.desktop" || fail "the menu entry does not validate"
for page in zavprog zavprog-cli zavprog-radio-sim; do
    MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1" > "$work/$page.txt" 2> "$work/$page.err" || fail "man $page"
    [ ! -s "$work/$page.err" ] || fail "man $page: $(cat "$work/$page.err")"
    grep -q "$page" "$work/$page.txt" || fail "man $page shows no name"
    grep -q "share/doc/zavprog/en/index.html" "$work/$page.txt" || fail "man $page does not point to the manual"
done
bash -n "$prefix/share/bash-completion/completions/zavprog-cli" || fail "the completion is not valid bash"

# The installed command line, run from another folder, writes the same new
# document as the build's (it found its version records and templates).
# Per-user settings go to a folder of their own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME" "$work/elsewhere"
(cd "$work/elsewhere" && "$prefix/bin/zavprog-cli" new -o installed.dat) || fail "installed zavprog-cli new"
(cd "$work" && "$build/dist/V300/zavprog-cli" new -o built.dat) || fail "build's zavprog-cli new"
cmp "$work/elsewhere/installed.dat" "$work/built.dat" || fail "installed and built programs write different files"
# Every installed language passes the translators' check against the installed English.
for f in "$prefix"/share/zavprog/V300/language/*.ini; do
    "$prefix/bin/zavprog-cli" check-language "$f" > "$work/check-language.txt" ||
        fail "check-language $(basename "$f"): $(head -5 "$work/check-language.txt")"
done
echo "installed layout complete"
