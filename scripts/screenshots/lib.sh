# Helpers that drive the desktop program under X with xdotool and take
# screenshots with ImageMagick's import (sourced by run.sh). Needs DISPLAY,
# BIN (a dist/V300 folder), SHOTS (where pictures go), RUNROOT (scratch).
# Coordinates assume a 1600x1000 screen and MAXIMIZE=1 (the main window at
# 0,0, 1500x940).
: "${BIN:?}" "${SHOTS:?}"
RUNROOT=${RUNROOT:?}
APP_PID=""; SIM_PID=""
# fresh program folder + user folders; $1 = en|zh
fresh() {
    W=$RUNROOT/$1-$$-$RANDOM; rm -rf "$W"; mkdir -p "$W"
    cp -al "$BIN" "$W/prog"
    local lang=1; [ "$1" = zh ] && lang=2
    mkdir -p "$W/language"; printf '[language]\nIsFirstRun=0\nCurrentLanguage=%s\ncomPort=1\n' "$lang" > "$W/language/mysetup.ini"
    export XDG_CONFIG_HOME=$W/config XDG_DATA_HOME=$W/data HOME=$W/home
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
}
sim() { # sim options...; sets LINK
    LINK=$W/radio
    "$W/prog/zavprog-radio-sim" --link "$LINK" "$@" > "$W/sim.out" 2>&1 &
    SIM_PID=$!
    for i in $(seq 50); do [ -e "$LINK" ] && break; sleep 0.1; done
}
app() { # app args...
    "$W/prog/zavprog" "$@" > "$W/app.out" 2>&1 &
    APP_PID=$!
    waitwin "ZAV415" 30 || true
    sleep 1
    if [ -n "$MAXIMIZE" ]; then
        local id; id=$(xdotool search --onlyvisible --name "ZAV415" | head -1)
        xdotool windowmove "$id" 0 0 windowsize "$id" 1500 940; sleep 1
    fi
}
stopall() {
    [ -n "$APP_PID" ] && { kill -9 "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null; }
    [ -n "$SIM_PID" ] && { kill "$SIM_PID" 2>/dev/null; wait "$SIM_PID" 2>/dev/null; }
    APP_PID=""; SIM_PID=""
}
# waits for a visible window whose name matches the regex
waitwin() {
    local n=${2:-20}
    for i in $(seq $((n*5))); do
        if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then return 0; fi
        sleep 0.2
    done
    return 1
}
key() { xdotool key --delay 80 "$@"; sleep 0.4; }
typ() { xdotool type --delay 60 "$1"; sleep 0.3; }
shot() { mkdir -p "$SHOTS"; sleep "${2:-0.6}"; import -window root "$SHOTS/$1.png"; echo "shot $1"; }
winlist() { for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do echo "$id $(xdotool getwindowname $id)"; done; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
dclick() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 120 1; sleep 0.6; }
movewin() { local id; id=$(xdotool search --onlyvisible --name "$1" | head -1); [ -n "$id" ] && xdotool windowmove "$id" "$2" "$3"; sleep 0.5; }
