# One function per screenshot item of the polish list; $1 = en|zh.
# Sourced by run.sh after lib.sh; DATA holds sample.dat, sample.csv,
# refused.csv and info-long.bin.
APPW="ZAV415"   # every window title of the program starts so
wait_progress_gone() { for i in $(seq ${1:-90}); do winlist | grep -q "Reading\|Writing\|正在读频\|正在写频\|Verifying\|校验" || return 0; sleep 1; done; }
read_radio() { # read via menu, answer 9004 and 9009
    key alt+p; key r; sleep 0.5; key Return; sleep 2; wait_progress_gone 120; sleep 1; key Return; sleep 2
}
item_stop_write() {
    fresh $1; sim --paced; app --port "$LINK"
    key alt+p; key w; sleep 0.8; key Return   # 9005 OK
    sleep 4; shot progress-window-$1 0.1
    key Escape; sleep 0.8; shot stop-question-$1 0.3
    key shift+Tab space; sleep 1.5; shot stop-write-$1 0.5
    stopall
}
withfile() { cp "$DATA/sample.dat" "$W/sample.dat"; }
item_message_box() {
    fresh $1; sim; app --port "$LINK"
    key alt+p; key r; shot message-box-$1 0.8
    stopall
}
item_port_dialog() {
    fresh $1; app
    key alt+s; key c; shot port-dialog-$1 1
    stopall
}
item_title_bar() {
    fresh $1; app
    key alt+m; key m; key e; sleep 1; click 378 222; typ "27.5"; key Return; shot title-bar-$1 1
    stopall
}
item_menus() { # the menus, for the wording items
    fresh $1; withfile; app "$W/sample.dat"
    for m in f e p s; do key alt+$m; shot menu-$m-$1 0.5; key Escape Escape; done
    stopall
}
item_password_dialog() {
    fresh $1; sim --password 1234; app --port "$LINK"
    key alt+p; key r; sleep 0.5; key Return; sleep 2; typ 9999; key Return; sleep 2; key Return; sleep 2
    key alt+p; key r; sleep 0.5; key Return; sleep 2; typ 1234; shot password-dialog-$1 0.5
    key Return; sleep 2; shot password-refused-again-$1 0.5
    stopall
}
item_radio_info() {
    fresh $1; sim --info "$DATA/info-long.bin"; app --port "$LINK"
    dclick 120 230; sleep 1; key Return; sleep 4; shot radio-information-$1 0.5
    stopall
}
item_recovery() {
    fresh $1; app
    key alt+m; key m; key e; sleep 1; click 378 222; typ "27.5"; key Return; sleep 5
    kill -9 $APP_PID; wait $APP_PID 2>/dev/null; APP_PID=""
    "$W/prog/zavprog" > "$W/app2.out" 2>&1 & APP_PID=$!
    sleep 6; shot recovery-question-$1 0.5
    stopall
}
item_file_dialog() {
    fresh $1; withfile; app
    key alt+f; key o; sleep 2; shot qt-file-dialog-$1 0.5
    stopall
}
item_features() {
    fresh $1; withfile; app "$W/sample.dat"
    shot channel-table-$1 0.5
    for w in o d t e; do key alt+e; key $w; sleep 1.5; shot feature-$w-$1 0.5; done
    stopall
}
item_check_window() {
    fresh $1; withfile; app "$W/sample.dat"
    key alt+p; key c; sleep 2; shot check-window-open-$1 0.5
    click 345 143; sleep 0.5; shot check-window-sorted-$1 0.3   # the place header: by group and row
    dclick 421 159; sleep 1.5; shot check-window-$1 0.5
    stopall
}
item_fleet() { # two radios written: one of the document's band, one with a band code the program does not know
    fresh $1; withfile; sim; app "$W/sample.dat"
    "$W/prog/zavprog-radio-sim" --link "$W/radio2" --band-byte 7 > "$W/sim2.out" 2>&1 & local SIM2=$!
    for i in $(seq 50); do [ -e "$W/radio2" ] && break; sleep 0.1; done
    key alt+p; key m; sleep 2; movewin "Many|多台" 20 20
    click 315 244; typ "$LINK"; click 631 244; sleep 0.5
    click 315 244; typ "$W/radio2"; click 631 244; sleep 0.5; shot fleet-window-added-$1 0.3
    click 710 69; click 799 191; sleep 1; key alt+y   # allow another band; Start; yes to the check's question
    sleep 30; shot fleet-window-$1 0.3
    kill $SIM2 2>/dev/null; wait $SIM2 2>/dev/null
    stopall
}
item_compare_window() {
    fresh $1; withfile; sim --memory "$DATA/differs.bin"; app --port "$LINK" "$W/sample.dat"
    key alt+p; key d; sleep 2; shot compare-question-$1 0.3; key Return; sleep 2; wait_progress_gone 120; sleep 2
    shot compare-window-$1 0.5
    stopall
}
item_production_line() {
    fresh $1; withfile; sim; app "$W/sample.dat"
    key alt+p; key m; sleep 2; movewin "Many|多台" 20 20
    # Tab order: devices, add field, add, other band, password, retries,
    # verify, compare only, source, power-on text pattern.
    for i in $(seq 9); do key Tab; done; typ "UNIT {n:02}"
    key Tab Tab Tab space; sleep 1; key shift+Tab space; sleep 1   # the switch; Yes to the check's question
    for i in $(seq 11); do key shift+Tab; done; typ "$LINK"; key Return
    sleep 12
    shot production-line-$1 0.5
    stopall
}
item_backups() {
    fresh $1; sim; app --port "$LINK"
    key alt+p; key r; sleep 0.5; key Return; sleep 4; key Return; sleep 2
    key alt+s; key b; sleep 1.5; shot backups-settings-$1 0.5; key Escape; sleep 0.5
    key alt+f; key b; sleep 1; key Tab space; sleep 1.5; shot backups-open-$1 0.5; key Escape
    stopall
}
item_write_check() {
    fresh $1; withfile; sim; app --port "$LINK" "$W/sample.dat"
    key alt+p; key w; sleep 1; shot write-with-check-errors-$1 0.3
    key Escape; stopall
}
item_import() { # refused rows into the country-mode sample; then the question of an extended-mode import
    fresh $1; withfile; cp "$DATA/sample.csv" "$DATA/refused.csv" "$W/"; app "$W/sample.dat"
    key alt+f; key i; sleep 1.5; typ "$W/refused.csv"; key Return; sleep 2; shot refused-rows-$1 0.5
    key Escape; sleep 1
    key alt+m; key m; key e; sleep 1.5
    key alt+f; key i; sleep 1.5; typ "$W/sample.csv"; key Return; sleep 2; shot import-channels-$1 0.5
    key Escape; stopall
}
item_notation() {
    fresh $1; withfile; app "$W/sample.dat"
    key alt+e; key o; sleep 1.5; click 664 142; sleep 0.5; shot notation-optional-features-$1 0.3
    key alt+p; key c; sleep 2; dclick 421 159; sleep 1.5; shot notation-table-details-$1 0.5
    stopall
}
item_wording() {
    fresh $1; withfile; app "$W/sample.dat"
    for w in o d t e; do key alt+e; key $w; sleep 1.5; shot wording-window-$w-$1 0.3; done
    key alt+s; shot wording-settings-menu-$1 0.5; key Escape Escape
    stopall
}
item_programming_log() { # a write stopped in the Chinese program, its log shown in both languages
    fresh zh; sim --paced; app --port "$LINK"
    key alt+p; key w; sleep 0.8; key Return; sleep 4; key Escape; sleep 0.8; key shift+Tab space; sleep 2
    for lang in en zh; do
        kill -9 $APP_PID; wait $APP_PID 2>/dev/null
        local n=1; [ $lang = zh ] && n=2
        sed -i "s/CurrentLanguage=[12]/CurrentLanguage=$n/" "$W/language/mysetup.ini"
        "$W/prog/zavprog" > "$W/app2.out" 2>&1 & APP_PID=$!
        sleep 6; key alt+p; key l; sleep 1.5; shot programming-log-window-$lang 0.5
    done
    stopall
}
item_paste() { # extended mode: three channels typed, copied, pasted far down the group
    fresh $1; app
    key alt+m; key m; key e; sleep 1.5
    click 378 222; typ "27.5"; key Return; key Escape
    click 378 241; typ "27.51"; key Return; key Escape
    click 378 260; typ "27.52"; key Return; key Escape
    click 310 222; xdotool keydown shift; click 310 260; xdotool keyup shift; key ctrl+shift+c; sleep 0.5
    for i in $(seq 25); do xdotool key Down; done; sleep 0.5; shot paste-channels-before-$1 0.3
    key ctrl+shift+v; sleep 1.5; shot paste-channels-$1 0.5
    stopall
}
run_all() { # $1 = en|zh
    item_stop_write $1; item_message_box $1; item_port_dialog $1; item_title_bar $1; item_password_dialog $1
    item_radio_info $1; item_recovery $1; item_file_dialog $1; item_check_window $1; item_fleet $1
    item_backups $1; item_write_check $1; item_import $1; item_notation $1; item_wording $1; item_paste $1
}
