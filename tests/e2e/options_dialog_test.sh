#!/usr/bin/env bash
# The Options dialog of the real program, driven through its controls'
# messages: one dialog at the bottom-right, OK changes the bar's extended
# style, the Run value and (at exit) the INI; Cancel changes nothing.
. "$(dirname "$0")/lib.sh"

IDM_OPTIONS=32774
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
run_value() { wine reg query "$RUN_KEY" /v Brisvane 2>/dev/null | tr -d '\r' | grep -c 'Brisvane.exe' || true; }
ini() { sed -n "s/^$1=//p" "$E2E_DIR/app/Brisvane.ini" | tr -d '\r'; }

wine reg delete "$RUN_KEY" /v Brisvane /f >/dev/null 2>&1 || true
metrics=$(driver metrics)
margin=$(( $(value caption "$metrics") + 3 ))

start_bar
sleep 2
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
check_eq "exstyle after Cancel" 0x080800A8 "$(value exstyle "$(driver bar)")"
check_eq "Run value after Cancel" 0 "$(run_value)"

# OK: opacity 128, floating, autostart on, 10 s.
driver post 0x111 $IDM_OPTIONS 0
driver options 10000 >/dev/null || fail "no options dialog"
driver options-slide 128
driver options-click 1002
driver options-click 1003
driver options-select 2
dlg=$(driver options)
check_eq "ignore box greyed out" 0 "$(value ignoredui_enabled "$dlg")"
check_eq "ignore box keeps its check" 1 "$(value ignoredui "$dlg")"
driver options-click 1
driver options-gone >/dev/null || fail "OK did not close the dialog"
check_eq "exstyle after switching Adhere off" 0x00080088 "$(value exstyle "$(driver bar)")"
check_eq "Run value after switching AutoRun on" 1 "$(run_value)"
for w in $(xdotool search --name '^Brisvane$' 2>/dev/null); do
    echo "note: X window $w $(xprop -id "$w" _NET_WM_WINDOW_OPACITY 2>/dev/null)"
done

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
check_eq "INI Alpha" 128 "$(ini Alpha)"
check_eq "INI Adhere" 0 "$(ini Adhere)"
check_eq "INI AutoRun" 1 "$(ini AutoRun)"
check_eq "INI Interval" 10000 "$(ini Interval)"

# Next start: typed opacity, Adhere and AutoRun back.
start_bar
sleep 2
check_eq "floating at start" 0x00080088 "$(value exstyle "$(driver bar)")"
driver post 0x111 $IDM_OPTIONS 0
dlg=$(driver options 10000) || fail "no options dialog"
check_eq "interval 10 s selected" 2 "$(value interval "$dlg")"
check_eq "ignore box disabled" 0 "$(value ignoredui_enabled "$dlg")"
driver options-type 50
driver options-click 1002
driver options-click 1003
driver options-click 1
driver options-gone >/dev/null || fail "OK did not close the dialog"
check_eq "exstyle after switching Adhere on" 0x080800A8 "$(value exstyle "$(driver bar)")"
check_eq "Run value after switching AutoRun off" 0 "$(run_value)"
driver close
wait_bar_exit
check_eq "INI Alpha typed" 50 "$(ini Alpha)"
check_eq "INI Adhere" 1 "$(ini Adhere)"
check_eq "INI AutoRun" 0 "$(ini AutoRun)"
