#!/bin/sh
# Builds the manual of one language: the program's lists, then Sphinx as
# Qt help (compressed by qhelpgenerator into the help folder beside the
# program) and as HTML.
#   build.sh LANG SOURCE_DIR OUT_DIR HELP_DIR MANUAL_TOOL QHELPGENERATOR SPHINX_BUILD HEADING [VERSION]
set -e
lang=$1 src=$2 out=$3 help=$4 tool=$5 qhg=$6 sphinx=$7 heading=$8
export ZAV_VERSION="${9:-3.0.0}"
case "$lang" in zh) sphinx_language=zh_CN ;; *) sphinx_language=en ;; esac
name="zavprog-$lang"

mkdir -p "$out/generated" "$help"
"$tool" lists --language "$lang" --entries "$src/$lang/messages.txt" --heading "$heading" --out "$out/generated"

common="-q -W --keep-going -c $src -D language=$sphinx_language -D zav_generated_dir=$out/generated"
# shellcheck disable=SC2086
"$sphinx" $common -b qthelp -d "$out/doctrees-qthelp" -D qthelp_basename="$name" \
    -D qthelp_namespace="org.zavprog.manual.$lang" "$src/$lang" "$out/qthelp"
# shellcheck disable=SC2086
"$sphinx" $common -b html -d "$out/doctrees-html" "$src/$lang" "$out/html"

# qhelpgenerator only when a page, a picture or the project changed.
qch="$help/$name.qch"
if [ ! -e "$qch" ] || [ -n "$(find "$out/qthelp" -type f -newer "$qch" -print -quit)" ]; then
    (cd "$out/qthelp" && "$qhg" -s "$name.qhcp" -o "$name.qhc" > /dev/null)
    cp "$out/qthelp/$name.qch" "$out/qthelp/$name.qhc" "$help/"
    touch "$qch"
fi
