#!/usr/bin/env bash
# A low battery during an auto-shutdown: the countdown owns the bar and the
# tooltip, yet the battery is still read at the Interval, so a charge that
# steps from 21 % to 19 % on battery during a one-hour countdown brings the
# "电量低" notification from the icon in a Wine virtual desktop, and the
# countdown runs on (the menu command asks whether to cancel it).
export LC_ALL=zh_CN.UTF-8
. "$(dirname "$0")/lib.sh"

WM_COMMAND=273
AUTOSHUTDOWN=32777

printf '[Brisvane]\r\nInterval=2000\r\nAlertLow=20\r\n' > "$E2E_DIR/app/Brisvane.ini"
fake_battery 21 0 Discharging
drive_desktop shell 1024x700
start_bar 30000

driver post $WM_COMMAND $AUTOSHUTDOWN 0
check_eq "Auto-shutdown dialog open" 1 "$(value open "$(driver dialog shutdown 10000)")"
driver dialogset shutdown 1004 1
driver dialogset shutdown 1006 0
driver dialogcmd shutdown 1
check_eq "no reminder at 21 %" 0 "$(value shown "$(driver balloon 5000)")"

fake_battery 19 0 Discharging
note=$(driver balloon 10000)
check_eq "the 电量低 reminder during the countdown" "1 电量 19%，请接通电源。" \
    "$(value shown "$note") $(value text "$note")"

driver post $WM_COMMAND $AUTOSHUTDOWN 0
check_eq "the countdown still runs: the cancel question" 1 "$(value open "$(driver dialog cancelask 10000)")"
driver dialogcmd cancelask 1

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
