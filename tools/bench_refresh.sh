#!/usr/bin/env bash
# Prints what the battery refresh costs: the program's CPU time over 20 s
# with Interval=0 in its settings file (held to one reading a second) and
# with the default 5000, each in a fresh start, Adhere off.
# Usage: tools/bench_refresh.sh [SECONDS]   (default 20)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
drive_tool bench_refresh "$0" "$@"
seconds=${1:-20}
fake_battery 57 0 Discharging

# cpu_ticks PID: user plus system time of a Linux process, in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# cpu_over INTERVAL: the program's CPU milliseconds over the period, read
# from Linux (Wine's own process times are too coarse for this).
cpu_over() {
    printf '[Brisvane]\r\nAdhere=0\r\nInterval=%s\r\n' "$1" >"$E2E_DIR/app/Brisvane.ini"
    start_bar
    sleep 2
    local pid c0 c1
    pid=$(unix_pid "$APP_EXE")
    [ -n "$pid" ] || { echo "no program process" >&2; return 1; }
    c0=$(cpu_ticks "$pid")
    sleep "$seconds"
    c1=$(cpu_ticks "$pid")
    driver close >/dev/null
    wait_bar_exit
    echo $(((c1 - c0) * 1000 / $(getconf CLK_TCK)))
}

echo "program CPU over $seconds s, Interval=0:    $(cpu_over 0) ms"
echo "program CPU over $seconds s, Interval=5000: $(cpu_over 5000) ms"
