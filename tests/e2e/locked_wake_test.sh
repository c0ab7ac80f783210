#!/usr/bin/env bash
# A laptop that sleeps through its power-off behind the lock screen. Wine has
# no lock screen and no sleep: the session changes and the wake are sent to
# the bar as Windows sends them, and a frozen process (SIGSTOP) stands in for
# the sleep. The confirmation opens at the wake but does not count while the
# session is locked; unlocked, it counts from 20 and can be declined.
. "$(dirname "$0")/lib.sh"
export LC_ALL=zh_CN.UTF-8

WM_POWERBROADCAST=536 PBT_APMRESUMEAUTOMATIC=18
WM_WTSSESSION_CHANGE=689 WTS_SESSION_LOCK=7 WTS_SESSION_UNLOCK=8

fake_battery 57 0 Discharging
start_bar
pid=$(unix_pid "$APP_EXE")
[ -n "$pid" ] || fail "cannot find the program's process"

driver send $WM_WTSSESSION_CHANGE $WTS_SESSION_LOCK 1
start_countdown 0 1
deadline=$(($(date +%s) + 60))

kill -STOP "$pid"
sleep $((deadline - $(date +%s) + 15))
kill -CONT "$pid"
driver send $WM_POWERBROADCAST $PBT_APMRESUMEAUTOMATIC 0
check_eq "confirmation open at the wake" 1 "$(value open "$(driver dialog confirm 30000)")"
sleep 30
check_eq "after 30 s locked, nothing counted" "确定(20)" "$(value ok "$(driver dialog confirm)")"
check_eq "still running" 1 "$(value count "$(driver count)")"

driver send $WM_WTSSESSION_CHANGE $WTS_SESSION_UNLOCK 1
unlocked=$(date +%s%N)
until [ "$(value ok "$(driver dialog confirm)")" != "确定(20)" ]; do
    [ $(($(date +%s%N) - unlocked)) -lt 5000000000 ] || fail "no count within 5 s of the unlock"
    sleep 0.05
done
echo "figure: the first count $((($(date +%s%N) - unlocked) / 1000000)) ms after the unlock"
check_eq "counting from 20" "确定(19)" "$(value ok "$(driver dialog confirm)")"
driver dialogcmd confirm 2
eventually dialog_gone confirm || fail "declined, the confirmation stays open"
echo "ok: declined, the confirmation closed"
test "$(value count "$(driver count)")" = 1 || fail "the program ended"
driver close
wait_bar_exit
