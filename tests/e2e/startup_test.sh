#!/usr/bin/env bash
# Start-up of the real program: one bar window of the right class, title,
# style and size, the shared record, single instance, clean exit.
. "$(dirname "$0")/lib.sh"

fake_battery 57 0 Discharging
metrics=$(driver metrics)
cap=$(value caption "$metrics")
screen_w=$(value screenwidth "$metrics")
screen_h=$(value screenheight "$metrics")

start_bar
bar=$(driver bar)
check_eq "bar windows" 1 "$(value count "$bar")"
check_eq "title" Brisvane "$(value title "$bar")"
check_eq "extended style (adhering)" 0x080800A8 "$(value exstyle "$bar")"
# Top-level windows always get WS_CLIPSIBLINGS besides WS_POPUP | WS_VISIBLE.
check_eq "style" 0x94000000 "$(value style "$bar")"
check_eq "width" 75 "$(value width "$bar")"
check_eq "height" $((cap - 8)) "$(value height "$bar")"
# Nothing can carry the bar yet, so it parks at the bottom-right corner.
check_eq "x" $((screen_w - 75 - cap - 3)) "$(value x "$bar")"
check_eq "y" $((screen_h - (cap - 8) - cap - 3)) "$(value y "$bar")"

record=$(driver record)
check_eq "record: bar window" "$(value hwnd "$bar")" "$(value bar "$record")"
check_eq "record: bar width" 75 "$(value barwidth "$record")"
check_eq "record: bar height" $((cap - 8)) "$(value barheight "$record")"
check_eq "record: caption height" "$cap" "$(value caption "$record")"
check_eq "record: IgnoreDUI" 1 "$(value ignoredui "$record")"

# A second start ends at once with 0 and adds no window.
second=0
(cd "$E2E_DIR/app" && timeout 30 wine "$APP_EXE") || second=$?
check_eq "second instance exit code" 0 "$second"
check_eq "bar windows after second start" 1 "$(value count "$(driver count)")"

driver close
wait_bar_exit
check_eq "exit code after WM_CLOSE" 0 "$BAR_EXIT"
check_eq "bar windows after exit" 0 "$(value count "$(driver count)")"

# The mutex's name taken by another kind of object (as an elevated instance
# would hold it, out of reach): the start ends at once all the same.
check_eq "name held by an event" 1 "$(value held "$(driver holdname MTX_BRISVANE_ZORVEND_2012)")"
blocked=0
(cd "$E2E_DIR/app" && timeout 30 wine "$APP_EXE") || blocked=$?
check_eq "exit code of a start with the name taken" 0 "$blocked"
check_eq "bar windows after that start" 0 "$(value count "$(driver count)")"
