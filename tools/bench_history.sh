#!/usr/bin/env bash
# Prints what the battery history costs: how long the Battery details window
# takes to open, drawn, over 30 days of history at a change a minute (43,200
# lines), in its 24-hour and 7-day views; and the bar's CPU time per hour
# with the battery changing every 5 s (a history line each time), History=1
# beside History=0 (the program as it was without a history), side by side
# in the same run as tools/bench.sh measures it.
# Usage: tools/bench_history.sh [OPENINGS [CPU_SECONDS]]   (default 20, 40;
# as root: the battery is simulated)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
drive_tool bench_history "$0" "$@"
openings=${1:-20}
cpu_seconds=${2:-40}
DRIVER_TIMEOUT=300
WM_COMMAND=273
IDM_BATTERY_DETAILS=32778
fake_battery 57 0 Discharging
drive_desktop shell 1024x700

python3 "$root/tools/make_history.py" month "$E2E_DIR/app/Brisvane-history.csv"
printf '[Brisvane]\r\nAdhere=0\r\n' >"$E2E_DIR/app/Brisvane.ini"
echo "history: $(($(wc -l <"$E2E_DIR/app/Brisvane-history.csv") - 1)) lines, $(wc -c <"$E2E_DIR/app/Brisvane-history.csv") bytes"
start_bar
opened=$(driver opens "$openings" $IDM_BATTERY_DETAILS BrisvaneDetails) || fail "$opened"
echo "Battery details opens, drawn, 24 h: median $(value median_ms "$opened") ms, min $(value min_ms "$opened") ms, max $(value max_ms "$opened") ms ($openings openings)"
# The 7 days: chosen with the arrow key, kept for the next openings.
driver post $WM_COMMAND $IDM_BATTERY_DETAILS 0 >/dev/null
driver window class:BrisvaneDetails 20000 >/dev/null || fail "no Battery details window"
driver activate class:BrisvaneDetails >/dev/null
xdotool key Right
sleep 1
driver closewin class:BrisvaneDetails >/dev/null
sleep 1
opened=$(driver opens "$openings" $IDM_BATTERY_DETAILS BrisvaneDetails) || fail "$opened"
echo "Battery details opens, drawn, 7 days: median $(value median_ms "$opened") ms, min $(value min_ms "$opened") ms, max $(value max_ms "$opened") ms"
driver close >/dev/null
wait_bar_exit
close_all_bars

# One instance at a time, each for the same time (the kernel's count of the
# Wine process's time on a CPU, all threads).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f\n", sum }'; }
cpu_per_hour() {  # cpu_per_hour HISTORY: ms of CPU per hour at the default interval
    printf '[Brisvane]\r\nAdhere=0\r\nHistory=%s\r\n' "$1" >"$E2E_DIR/app/Brisvane.ini"
    start_bar
    sleep 3
    local pid before percent=57 after
    pid=$(unix_pid "$APP_EXE")
    [ -n "$pid" ] || fail "cannot find the Wine process"
    before=$(cpu_ns "$pid")
    for _ in $(seq 1 $((cpu_seconds / 5))); do
        percent=$((percent == 57 ? 56 : 57))
        fake_battery "$percent" 0 Discharging
        sleep 5
    done
    after=$(cpu_ns "$pid")
    driver close >/dev/null
    wait_bar_exit
    close_all_bars
    echo $(((after - before) / 1000 * 3600 / cpu_seconds / 1000))
}
# Twice each, in turn, so that neither gains from going first.
with=0 without=0
for _ in 1 2; do
    without=$((without + $(cpu_per_hour 0)))
    with=$((with + $(cpu_per_hour 1)))
done
with=$((with / 2)) without=$((without / 2))
echo "bar CPU per hour, battery changing every 5 s, 2 x ${cpu_seconds} s each: History=1 $with ms, History=0 $without ms" \
    "($(awk -v a="$with" -v b="$without" 'BEGIN { printf "%+.1f%%", b ? (a - b) * 100 / b : 0 }'))"
