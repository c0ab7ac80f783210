#!/usr/bin/env bash
# Builds Brisvane and runs it under Wine. With no display it makes a virtual
# one, takes a screenshot after a few seconds and stops the program.
# Usage: tools/run.sh [--percent N] [--charger on|off] [--seconds S]
#   --percent/--charger simulate a battery (needs root: a private mount
#   namespace puts a fake /sys/class/power_supply in place of the real one).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine.sh"
. "$root/tools/drive.sh"
percent= charger=off seconds=8 args=("$@")
while [ $# -gt 0 ]; do
    case $1 in
        --percent) percent=$2; shift 2 ;;
        --charger) charger=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
if [ -n "$percent" ]; then
    [ "$(id -u)" = 0 ] || { echo "--percent needs root (a private mount namespace)" >&2; exit 2; }
    wine_namespace "$0" "${args[@]}"
fi

cd "$root"
wine_install_deps
win_build -- Brisvane CBT
wine_prefix run reuse
E2E_DIR=$root/build/run
if [ "$charger" = on ]; then charging="1 Charging"; else charging="0 Discharging"; fi
# shellcheck disable=SC2086
[ -z "$percent" ] || fake_battery "$percent" $charging

exe=$WIN_BUILD/bin/Brisvane.exe
if [ -n "${DISPLAY:-}" ]; then
    echo "Running Brisvane on $DISPLAY (exit from its tray menu, or Ctrl+C)."
    exec wine "$exe"
fi

shot=$root/build/run-screenshot.png
echo "No display: running Brisvane on a virtual display for $seconds s."
trap wine_stop EXIT
wine_display
wine_start
wine "$exe" &
sleep "$seconds"
import -window root "$shot"
wine_stop
echo "Screenshot saved: $shot"
