#!/usr/bin/env bash
# A machine that sleeps during an auto-shutdown: the program's process is
# frozen (SIGSTOP, as a sleep freezes it) for 150 s of a 3-minute countdown.
# The countdown keeps its deadline by the clock, so the confirmation opens
# within seconds of it, not when three ticks have been counted. Left alone,
# the confirmation then powers off, the settings written first: under Wine
# that ends the Wine session, not the host.
. "$(dirname "$0")/lib.sh"

WM_COMMAND=273
AUTOSHUTDOWN=32777

fake_battery 57 0 Discharging
# Alpha 200 lives only in the running program's memory once its INI is
# gone, so finding it again after the power-off proves the save.
printf '[Brisvane]\r\nAlpha=200\r\n' > "$E2E_DIR/app/Brisvane.ini"
start_bar
rm -f "$E2E_DIR/app/Brisvane.ini"
pid=$(unix_pid "$APP_EXE")
[ -n "$pid" ] || fail "cannot find the program's process"

driver post $WM_COMMAND $AUTOSHUTDOWN 0
check_eq "Auto-shutdown dialog open" 1 "$(value open "$(driver dialog shutdown 10000)")"
driver dialogset shutdown 1004 0
driver dialogset shutdown 1006 3
driver dialogcmd shutdown 1
deadline=$(($(date +%s) + 180))

sleep 15
kill -STOP "$pid"
sleep 150
kill -CONT "$pid"
echo "ok: frozen for 150 s, $((deadline - $(date +%s))) s before the deadline"

confirm=$(driver dialog confirm 100000)
check_eq "confirmation open after the sleep" 1 "$(value open "$confirm")"
late=$(($(date +%s) - deadline))
echo "figure: the confirmation opened $late s after the deadline"
[ "$late" -le 5 ] || fail "the confirmation opened $late s after the deadline"

wait_power_off 60
echo "ok: the program ended with the power-off (exit code $BAR_EXIT)"
check_eq "bar windows after the power-off" 0 "$(value count "$(driver count)")"
ini() { sed -n "s/^$1=//p" "$E2E_DIR/app/Brisvane.ini" 2>/dev/null | tr -d '\r'; }
check_eq "INI Alpha written at the power-off" 200 "$(ini Alpha)"
check_eq "INI Interval written at the power-off" 5000 "$(ini Interval)"
