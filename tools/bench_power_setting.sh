#!/usr/bin/env bash
# Prints how soon the bar shows a new charge once Windows tells of it: the
# fake battery steps by one percent, then the bar is sent the notification
# Windows sends (WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE with
# GUID_BATTERY_PERCENTAGE_REMAINING; Wine sends none), and the screen is
# watched until the bar's pixels change. Interval is an hour, so no tick
# reads the battery meanwhile. Median and slowest of N steps (default 20),
# and the time the message itself took.
# Usage: tools/bench_power_setting.sh [N]   (as root: the simulated battery)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
drive_tool bench_power_setting "$0" "$@"
steps=${1:-20}
printf '[Brisvane]\r\nAdhere=0\r\nInterval=3600000\r\n' >"$E2E_DIR/app/Brisvane.ini"
fake_battery 60 0 Discharging
start_bar
sleep 2

shown=() sent=()
for i in $(seq 1 "$steps"); do
    percent=$((60 - i % 2))
    fake_battery $percent 0 Discharging
    out=$(driver powersetting percent $percent 2000)
    us=$(value shown_us "$out")
    [ "$us" -ge 0 ] || { echo "step $i: the bar did not change within 2 s" >&2; exit 1; }
    shown+=("$us")
    sent+=("$(value sent_us "$out")")
done
driver close >/dev/null
wait_bar_exit

ms() {  # ms MICROSECONDS: as milliseconds with one decimal
    printf '%d.%d' $(($1 / 1000)) $(($1 % 1000 / 100))
}
sorted=($(printf '%s\n' "${shown[@]}" | sort -n))
sorted_sent=($(printf '%s\n' "${sent[@]}" | sort -n))
echo "power-setting notification to the new charge on the bar, $steps steps:"
echo "  median $(ms "${sorted[$((steps / 2))]}") ms, slowest $(ms "${sorted[$((steps - 1))]}") ms"
echo "  of which the message itself (read, tip, repaint asked): median $(ms "${sorted_sent[$((steps / 2))]}") ms"
