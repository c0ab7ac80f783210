#!/usr/bin/env bash
# Soaks Brisvane under Wine: the program left running for a while with the
# fake battery changing every second, the charger plugged in and pulled,
# Options opened and cancelled, and an auto-shutdown started and cancelled,
# over and over. At the end it must still run, hold as many kernel handles
# and windows as after the first round, and write the settings it was given
# at the start. Prints its figures; exits non-zero on failure. As root the
# battery is simulated.
# Usage: tools/soak.sh [SECONDS]   (default 600; builds first)
#        tools/soak.sh SECONDS Brisvane.exe CBT.dll e2e_driver.exe
#        (the test run's short soak, tests/e2e/soak_test.sh)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
if [ $# -le 1 ]; then
    seconds=${1:-600}
    drive_build Brisvane CBT e2e_driver
    set -- "$seconds" "$WIN_BUILD/bin/Brisvane.exe" "$WIN_BUILD/bin/CBT.dll" "$WIN_BUILD/bin/e2e_driver.exe"
fi
# A driver call that Wine leaves hanging fails the soak instead of holding it.
DRIVER_TIMEOUT=${DRIVER_TIMEOUT:-120}
name=${WINE_NAME:-soak}
drive_enter "$name" "${E2E_WORK:-$root/build/soak}/$name" "$2" "$3" "$4" -- "$0" "$@"
RUN_SECONDS=$1
WM_COMMAND=0x111
IDM_OPTIONS=32774
IDM_AUTOSHUTDOWN=32777
ini() { sed -n "s/^$1=//p" "$E2E_DIR/app/Brisvane.ini" | tr -d '\r'; }
figures() { local p; p=$(driver process); echo "$(value kernelhandles "$p") $(value windows "$p") $(value workingset "$p")"; }

options_round() {  # options_round cancel|ok
    driver post $WM_COMMAND $IDM_OPTIONS 0 >/dev/null
    driver options 10000 >/dev/null || fail "no Options dialog"
    if [ "$1" = ok ]; then
        driver options-slide 200
        driver options-click 1
    else
        driver options-slide 100
        driver options-click 2
    fi
    driver options-gone >/dev/null || fail "Options did not close"
}
# A 30-minute auto-shutdown, started through its dialog and cancelled from
# the menu command's question: the countdown cannot reach zero meanwhile.
shutdown_round() {
    driver post $WM_COMMAND $IDM_AUTOSHUTDOWN 0 >/dev/null
    [ "$(value open "$(driver dialog shutdown 10000)")" = 1 ] || fail "no Auto-shutdown dialog"
    driver dialogset shutdown 1004 0
    driver dialogset shutdown 1006 30
    driver dialogcmd shutdown 1
    sleep 0.5
    driver post $WM_COMMAND $IDM_AUTOSHUTDOWN 0 >/dev/null
    [ "$(value open "$(driver dialog cancelask 10000)")" = 1 ] || fail "no cancel question"
    driver dialogcmd cancelask 1
    for _ in $(seq 1 20); do
        [ "$(value open "$(driver dialog cancelask 0)")" = 0 ] && return 0
        sleep 0.25
    done
    fail "the cancel question stays open"
}

fake_battery 57 0 Discharging
# Inside a Wine virtual desktop Wine handles activation itself, and a dialog
# closes at once instead of after the X server's wait for a window manager.
drive_desktop soak 1280x1024
out=$(driver launch "$(winepath -w "$APP_EXE" 2>/dev/null)") || fail "no bar window appeared: $out"
sleep 1
pid=$(unix_pid "$APP_EXE")
[ -n "$pid" ] || fail "cannot find the program's process"
# The first round loads what dialogs need once; the counts after it are the reference.
options_round ok
shutdown_round
sleep 1
read -r handles0 windows0 ws0 < <(figures)
echo "after the first round: kernel handles $handles0, windows $windows0, working set $((ws0 / 1024)) KiB"

start=$SECONDS second=0 options=1 shutdowns=1 plugs=0
while [ $((SECONDS - start)) -lt "$RUN_SECONDS" ]; do
    second=$((second + 1))
    percent=$((60 - second % 40))
    if [ $((second % 6)) -lt 3 ]; then
        fake_battery "$percent" 0 Discharging
    else
        [ $((second % 6)) = 3 ] && plugs=$((plugs + 1))
        fake_battery "$percent" 1 Charging
    fi
    case $((second % 10)) in
        2) options_round cancel; options=$((options + 1)) ;;
        7) shutdown_round; shutdowns=$((shutdowns + 1)) ;;
        *) sleep 1 ;;
    esac
done

[ -d "/proc/$pid" ] || fail "the program's process has ended"
check_eq "bar windows" 1 "$(value count "$(driver count)")"
sleep 1
read -r handles1 windows1 ws1 < <(figures)
echo "soak: $((SECONDS - start)) s, $second battery changes, $plugs plug-ins, $options Options, $shutdowns auto-shutdowns"
echo "kernel handles $handles0 -> $handles1, windows $windows0 -> $windows1," \
     "working set $((ws0 / 1024)) -> $((ws1 / 1024)) KiB, CPU $(awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$pid/stat") ms"
check_eq "kernel handles after the soak" "$handles0" "$handles1"
check_eq "windows after the soak" "$windows0" "$windows1"
bar=$(driver bar)
check_eq "bar visible" 1 "$(value visible "$bar")"

driver close
for _ in $(seq 1 50); do
    [ -d "/proc/$pid" ] || break
    sleep 0.2
done
[ ! -d "/proc/$pid" ] || fail "the program did not end after WM_CLOSE"
check_eq "INI Alpha (set at the start, cancelled changes since)" 200 "$(ini Alpha)"
check_eq "INI Adhere" 1 "$(ini Adhere)"
check_eq "INI AutoRun" 0 "$(ini AutoRun)"
check_eq "INI Interval" 5000 "$(ini Interval)"
echo "soak passed"
