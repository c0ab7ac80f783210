#!/usr/bin/env bash
# The battery history file of the real program and its Battery details
# window, with a fake battery: a sample line for each new charge after the
# start line; nothing at all with History=0; a month of history among junk
# and a cut last line kept line for line while the window opens over it, the
# lines older than 30 days dropped; a folder that cannot be written, and
# the window opens all the same. Windows tells the bar of a new charge at
# once (PBT_POWERSETTINGCHANGE); the driver sends it as Windows would.
. "$(dirname "$0")/lib.sh"

WM_COMMAND=273
IDM_BATTERY_DETAILS=32778
HISTORY=$E2E_DIR/app/Brisvane-history.csv
HEADER=time,percent,ac,charging,rate_mw,event

ini() {  # ini [LINE…]: the INI the next start reads, an hour's Interval
    printf '[Brisvane]\r\nInterval=3600000\r\n' >"$E2E_DIR/app/Brisvane.ini"
    for line in "$@"; do printf '%s\r\n' "$line" >>"$E2E_DIR/app/Brisvane.ini"; done
}
charge_to() {
    fake_battery "$1" 0 Discharging
    driver powersetting percent "$1" 3000 >/dev/null
}
stop_bar() {  # and its files written: the launcher may end first
    driver close
    wait_bar_exit
    check_eq "exit code" 0 "$BAR_EXIT"
    close_all_bars
}
details_shown() {
    DETAILS=$(driver window class:BrisvaneDetails 20000) && [ "$(value visible "$DETAILS")" = 1 ]
}
open_details() {  # the window, once it shows (it is made before it is shown)
    driver post $WM_COMMAND $IDM_BATTERY_DETAILS 0 >/dev/null
    eventually details_shown || fail "no Battery details window shows: $DETAILS"
    echo "ok: the window shows"
}
# events FILE: the event column of the lines after the header.
events() { tail -n +2 "$1" | tr -d '\r' | cut -d, -f2,6 | tr '\n' ' '; }

drive_desktop shell 1024x700

# 57 -> 55 -> 53 %: the start, then a sample for each charge.
ini
fake_battery 57 0 Discharging
start_bar
charge_to 57
charge_to 55
charge_to 55
charge_to 53
stop_bar
check_eq "header" "$HEADER" "$(head -n 1 "$HISTORY" | tr -d '\r')"
check_eq "lines" "57,start 57,sample 55,sample 53,sample 53,exit " "$(events "$HISTORY")"
grep -Eq '^20[0-9]{2}-[01][0-9]-[0-3][0-9]T[0-2][0-9]:[0-5][0-9]:[0-5][0-9]Z,57,0,0,-?[0-9]*,start'$'\r''$' "$HISTORY" ||
    fail "the start line is not of the file's form: $(sed -n 2p "$HISTORY")"

# History=0: no file.
rm -f "$HISTORY"
ini History=0
start_bar
charge_to 51
open_details
stop_bar
[ ! -e "$HISTORY" ] || fail "History=0 wrote $(cat "$HISTORY")"

# A month at a change every 59 s among junk, five lines older than 30 days
# and a last line cut short: the window opens, every good line stays, the
# old ones go.
python3 - "$HISTORY" <<'PY'
import sys, time
now = int(time.time())
stamp = lambda t: time.strftime('%Y-%m-%dT%H:%M:%SZ', time.gmtime(t))
with open(sys.argv[1], 'w', newline='') as f:
    f.write('time,percent,ac,charging,rate_mw,event\r\n')
    for i in range(5):
        f.write('%s,80,0,0,-1234,sample\r\n' % stamp(now - 31 * 86400 - i))
    f.write('not,a,line\r\n\x00\x01junk\r\n,,,,,\r\n')
    first = now - 43200 * 59 - 60
    for i in range(43200):
        f.write('%s,%d,%d,0,-7777,sample\r\n' % (stamp(first + i * 59), 100 - i % 100, (i // 100) % 2))
    f.write('2026-12-08T14:2')
PY
ini
start_bar
open_details
stop_bar
check_eq "the good lines kept" 43200 "$(grep -c ',-7777,sample' "$HISTORY")"
check_eq "the lines past 30 days" 0 "$(grep -c ',-1234,sample' "$HISTORY")"
check_eq "header first" "$HEADER" "$(head -n 1 "$HISTORY" | tr -d '\r')"
check_eq "this run's lines after them" "start sample exit" \
    "$(tail -n 3 "$HISTORY" | tr -d '\r' | cut -d, -f6 | tr '\n' ' ' | sed 's/ $//')"

# One window at a time, closed with Esc.
start_bar
open_details
first=$(value hwnd "$DETAILS")
open_details
check_eq "the same window again" "$first" "$(value hwnd "$DETAILS")"
driver activate class:BrisvaneDetails >/dev/null
xdotool key Escape
gone() { ! driver window class:BrisvaneDetails 0 >/dev/null 2>&1; }
eventually gone || fail "Esc did not close the window"
stop_bar

# A folder that cannot be written: no history, the window opens.
rm -f "$HISTORY"
ini
mount --bind "$E2E_DIR/app" "$E2E_DIR/app"
mount -o remount,bind,ro "$E2E_DIR/app"
start_bar
charge_to 49
open_details
stop_bar
umount "$E2E_DIR/app"
[ ! -e "$HISTORY" ] || fail "a history file in a read-only folder"
