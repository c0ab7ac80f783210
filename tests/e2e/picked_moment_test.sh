#!/usr/bin/env bash
# "于此时" picked a minute or two ahead, with the session locked (sent as
# Windows sends it; Wine has no lock screen): the confirmation opens as that
# minute begins, not before, and with nobody there it still counts its
# twenty seconds and powers off, as a scheduled unattended power-off must.
. "$(dirname "$0")/lib.sh"
export LC_ALL=zh_CN.UTF-8

WM_COMMAND=273 AUTOSHUTDOWN=32777 WM_WTSSESSION_CHANGE=689 WTS_SESSION_LOCK=7

fake_battery 57 0 Discharging
start_bar
driver send $WM_WTSSESSION_CHANGE $WTS_SESSION_LOCK 1
driver post $WM_COMMAND $AUTOSHUTDOWN 0
check_eq "Auto-shutdown dialog open" 1 "$(value open "$(driver dialog shutdown 10000)")"
driver dialogcheck shutdown 1008

# The next minute with at least 20 s to go: the old rounding would have
# confirmed that many seconds early.
now=$(date +%s)
moment=$(((now / 60 + 1) * 60))
[ $((moment - now)) -ge 20 ] || moment=$((moment + 60))
for picker in 1009 1010; do
    driver dialogtime shutdown $picker $(date -d "@$moment" '+%Y %-m %-d %-H %-M')
done
driver dialogcmd shutdown 1

confirm=$(driver dialog confirm $(((moment - now + 30) * 1000)))
opened=$(date +%s%N)
check_eq "confirmation open" 1 "$(value open "$confirm")"
late_ms=$(((opened - moment * 1000000000) / 1000000))
echo "figure: the confirmation opened $late_ms ms after the picked minute began"
[ "$late_ms" -ge -50 ] || fail "the confirmation opened $((-late_ms)) ms before the picked minute"
[ "$late_ms" -le 2000 ] || fail "the confirmation opened $late_ms ms after the picked minute"

wait_power_off 40
echo "ok: locked and left alone, the program powered off (exit code $BAR_EXIT)"
