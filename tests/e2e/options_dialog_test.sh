#!/usr/bin/env bash
# The Options dialog of the real program, driven through its controls'
# messages: one dialog at the bottom-right; OK changes the bar's opacity
# (its layered attributes and the X window's opacity), its extended style,
# the Run value and (at exit) the INI, whose values it opens with next time
# (the battery's rows too); Cancel changes nothing.
. "$(dirname "$0")/lib.sh"

for tool in xdotool xprop xwininfo winepath; do
    command -v $tool >/dev/null || { echo "SKIP: needs $tool"; exit 77; }
done

IDM_OPTIONS=32774
IDC_OPTIONS_BARTEXT=1016 IDC_OPTIONS_ALERTLOW=1017 IDC_OPTIONS_ALERTHIGH=1020 IDC_OPTIONS_ALERTHIGH_EDIT=1021
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
MACHINE_RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
run_data() {  # run_data KEY: the Brisvane value's data, empty when there is none
    wine reg query "$1" /v Brisvane 2>/dev/null | tr -d '\r' | sed -n 's/^ *Brisvane *REG_SZ *//p'
}
ini() { sed -n "s/^$1=//p" "$E2E_DIR/app/Brisvane.ini" | tr -d '\r'; }
x_bar() { xdotool search --name '^Brisvane$' | head -n 1; }
# Wine puts the alpha into all four bytes of the X property.
x_opacity() { xprop -id "$1" _NET_WM_WINDOW_OPACITY | sed -n 's/.*= //p'; }
x_viewable() { xwininfo -id "$1" | grep -c 'Map State: IsViewable' || true; }

# The bar once OK has applied an opacity: hidden, given it, shown again.
# Under Xvfb without a window manager this takes about 2 s: the closing
# dialog hands the activation to its owner, the bar, and Wine then waits
# for a window manager to confirm the hiding of an activated window.
bar_with_alpha() {
    local out tries=0
    out=$(driver bar)
    until [ "$(value visible "$out")$(value alpha "$out")" = "1$1" ] || [ $tries -ge 20 ]; do
        tries=$((tries + 1))
        sleep 0.5
        out=$(driver bar)
    done
    printf '%s\n' "$out"
}

wine reg delete "$RUN_KEY" /v Brisvane /f >/dev/null 2>&1 || true
wine reg delete "$MACHINE_RUN_KEY" /v Brisvane /f >/dev/null 2>&1 || true
run_expected="\"$(winepath -w "$E2E_DIR/app" | tr -d '\r')\\Brisvane.exe\""
metrics=$(driver metrics)
margin=$(( $(value caption "$metrics") + 3 ))

start_bar
sleep 2
bar=$(driver bar)
check_eq "alpha at start" 240 "$(value alpha "$bar")"
check_eq "colour key and alpha both set" 0x3 "$(value layered "$bar")"
check_eq "colour key" 0xFF00FF "$(value key "$bar")"
xbar=$(x_bar)
[ -n "$xbar" ] || fail "no X window of the bar"
check_eq "X opacity at start" $((240 * 0x01010101)) "$(x_opacity "$xbar")"
driver post 0x111 $IDM_OPTIONS 0
dlg=$(driver options 10000) || fail "no options dialog: $dlg"
check_eq "dialogs open" 1 "$(value dialogs "$dlg")"
check_eq "right edge" $(( $(value screenwidth "$metrics") - margin )) $(( $(value x "$dlg") + $(value width "$dlg") ))
check_eq "bottom edge" $(( $(value screenheight "$metrics") - margin )) $(( $(value y "$dlg") + $(value height "$dlg") ))
check_eq "topmost" 1 "$(value topmost "$dlg")"
check_eq "interval 5 s selected" 1 "$(value interval "$dlg")"
check_eq "opacity" 240 "$(value alpha "$dlg")"
check_eq "adhere box" 1 "$(value adhere "$dlg")"
check_eq "ignore box enabled" 1 "$(value ignoredui_enabled "$dlg")"

# A second Options command brings the open dialog forward.
driver post 0x111 $IDM_OPTIONS 0
sleep 1
check_eq "dialogs after a second command" 1 "$(value dialogs "$(driver options)")"

# Cancel after changes: nothing happens.
driver options-slide 128
driver options-click 1003
driver options-click 2
driver options-gone >/dev/null || fail "Cancel did not close the dialog"
bar=$(driver bar)
check_eq "exstyle after Cancel" 0x080800A8 "$(value exstyle "$bar")"
check_eq "alpha after Cancel" 240 "$(value alpha "$bar")"
check_eq "visible after Cancel" 1 "$(value visible "$bar")"
check_eq "Run value after Cancel" "" "$(run_data "$RUN_KEY")"

# OK: opacity 128, floating, autostart on, 10 s; the bar's time left, no
# low reminder, one at 90 %.
driver post 0x111 $IDM_OPTIONS 0
dlg=$(driver options 10000) || fail "no options dialog"
check_eq "bar text: the percentage" 0 "$(value bartext "$dlg")"
check_eq "low reminder: on at 20" "1 20" "$(value alertlow "$dlg")"
check_eq "high reminder: off, 80 offered" "0 80" "$(value alerthigh "$dlg")"
driver options-slide 128
driver options-click 1002
driver options-click 1003
driver options-select 2
driver options-select 1 $IDC_OPTIONS_BARTEXT
driver options-click $IDC_OPTIONS_ALERTLOW
driver options-click $IDC_OPTIONS_ALERTHIGH
driver options-type 90 $IDC_OPTIONS_ALERTHIGH_EDIT
dlg=$(driver options)
check_eq "ignore box greyed out" 0 "$(value ignoredui_enabled "$dlg")"
check_eq "ignore box keeps its check" 1 "$(value ignoredui "$dlg")"
driver options-click 1
driver options-gone >/dev/null || fail "OK did not close the dialog"
bar=$(bar_with_alpha 128)
check_eq "visible after the opacity change" 1 "$(value visible "$bar")"
check_eq "alpha applied" 128 "$(value alpha "$bar")"
check_eq "colour key kept" 0x3/0xFF00FF "$(value layered "$bar")/$(value key "$bar")"
check_eq "exstyle after switching Adhere off" 0x00080088 "$(value exstyle "$bar")"
check_eq "same X window" "$xbar" "$(x_bar)"
check_eq "X window mapped" 1 "$(x_viewable "$xbar")"
check_eq "X opacity applied" $((128 * 0x01010101)) "$(x_opacity "$xbar")"
check_eq "Run value after switching AutoRun on" "$run_expected" "$(run_data "$RUN_KEY")"
check_eq "no machine-wide Run value, even where it may be written" "" "$(run_data "$MACHINE_RUN_KEY")"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
check_eq "INI Alpha" 128 "$(ini Alpha)"
check_eq "INI Adhere" 0 "$(ini Adhere)"
check_eq "INI AutoRun" 1 "$(ini AutoRun)"
check_eq "INI Interval" 10000 "$(ini Interval)"
check_eq "INI BarText, AlertLow, AlertHigh" "1 0 90" "$(ini BarText) $(ini AlertLow) $(ini AlertHigh)"

# Next start: typed opacity, Adhere and AutoRun back. A machine-wide Run
# value left by an earlier version goes too.
wine reg add "$MACHINE_RUN_KEY" /v Brisvane /t REG_SZ /d "$run_expected" /f >/dev/null 2>&1
check_eq "machine-wide Run value put in place" "$run_expected" "$(run_data "$MACHINE_RUN_KEY")"
start_bar
sleep 2
bar=$(driver bar)
check_eq "floating at start" 0x00080088 "$(value exstyle "$bar")"
check_eq "alpha from the INI" 128 "$(value alpha "$bar")"
xbar=$(x_bar)
driver post 0x111 $IDM_OPTIONS 0
dlg=$(driver options 10000) || fail "no options dialog"
check_eq "interval 10 s selected" 2 "$(value interval "$dlg")"
check_eq "ignore box disabled" 0 "$(value ignoredui_enabled "$dlg")"
check_eq "bar text from the INI" 1 "$(value bartext "$dlg")"
check_eq "low reminder from the INI: off, 20 offered" "0 20" "$(value alertlow "$dlg")"
check_eq "high reminder from the INI" "1 90" "$(value alerthigh "$dlg")"
driver options-type 50
driver options-click 1002
driver options-click 1003
driver options-click 1
driver options-gone >/dev/null || fail "OK did not close the dialog"
bar=$(bar_with_alpha 50)
check_eq "visible after the typed opacity" 1 "$(value visible "$bar")"
check_eq "typed alpha applied" 50 "$(value alpha "$bar")"
check_eq "exstyle after switching Adhere on" 0x080800A8 "$(value exstyle "$bar")"
check_eq "X opacity typed" $((50 * 0x01010101)) "$(x_opacity "$xbar")"
check_eq "Run value after switching AutoRun off" "" "$(run_data "$RUN_KEY")"
check_eq "machine-wide Run value after switching AutoRun off" "" "$(run_data "$MACHINE_RUN_KEY")"
driver close
wait_bar_exit
check_eq "INI Alpha typed" 50 "$(ini Alpha)"
check_eq "INI Adhere" 1 "$(ini Adhere)"
check_eq "INI AutoRun" 0 "$(ini AutoRun)"
