#!/usr/bin/env bash
# The low-battery reminder of the real program, from its icon in the
# notification area of a Wine virtual desktop, with a fake battery running
# down: one notification when the charge steps from 21 % to 19 %, none more
# while it wavers around 19-20 %, the next once it has been 3 points above
# the level. Windows tells the bar of every new charge at once
# (PBT_POWERSETTINGCHANGE with GUID_BATTERY_PERCENTAGE_REMAINING); Wine sends
# nothing, so the driver sends the bar what Windows would. The Interval is an
# hour: no tick reads the battery meanwhile.
export LC_ALL=zh_CN.UTF-8
. "$(dirname "$0")/lib.sh"

printf '[Brisvane]\r\nInterval=3600000\r\n' > "$E2E_DIR/app/Brisvane.ini"
fake_battery 21 0 Discharging
drive_desktop shell 1024x700
start_bar 30000

# charge_to PERCENT: the fake battery at PERCENT and Windows' word of it.
charge_to() {
    fake_battery "$1" 0 Discharging
    SHOWN=$(driver powersetting percent "$1" 3000)
}
balloon_gone() { [ "$(value shown "$(driver balloon 0 gone)")" = 0 ]; }

charge_to 21
check_eq "no reminder above the level" 0 "$(value shown "$(driver balloon 1500)")"

charge_to 19
[ "$(value shown_us "$SHOWN")" -ge 0 ] || fail "the bar did not show 19 % at once"
note=$(driver balloon 5000)
check_eq "a reminder on crossing the level" 1 "$(value shown "$note")"
check_eq "its text" "电量 19%，请接通电源。" "$(value text "$note")"
# The shell takes a notification away after 10 seconds at least.
DRIVER_TIMEOUT=60 driver balloon 40000 gone >/dev/null
balloon_gone || fail "the reminder stayed on screen"

for percent in 20 19 20 19; do
    charge_to $percent
    check_eq "no second reminder at $percent %" 0 "$(value shown "$(driver balloon 1500)")"
done

# Three points above re-arms it: the next crossing reminds again.
charge_to 23
charge_to 20
note=$(driver balloon 5000)
check_eq "a reminder on the next crossing" "1 电量 20%，请接通电源。" "$(value shown "$note") $(value text "$note")"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
